// What the game adapter takes from the application: the level's resources
// (tileset images, maps and entity lists, by resource id) and the player
// character of the saved game. The application's resource and save-game
// managers stand behind it in the game; tests hand in their own.
#pragma once

#include <cstdint>

class CBinRes;
class CImage;

class AZ_AdapterServices {
public:
    virtual ~AZ_AdapterServices() = default;

    // The data resource, held until releaseData; null when it is missing.
    virtual CBinRes* getData(std::uint32_t id) = 0;
    // Gives the data resource back and drops it from any cache at once.
    virtual void releaseData(std::uint32_t id) = 0;
    // A new software image of the image resource, which the caller owns;
    // null when it is missing or cannot be made.
    virtual CImage* createImage(std::uint32_t id) = 0;
    // The character chosen in the saved game (the row of the level table).
    virtual std::int32_t getSavedCharacter() = 0;
};
