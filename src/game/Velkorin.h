// The game class: runs a level for the game screen. It starts the chosen
// level when it is made, drives the engine's key manager and runtime each
// frame and paints the clear colour, the map's layers with the characters
// between them and the bottom bar. It holds the bottom bar's image in the
// application's slot while it lives; deleting it leaves the engine without
// a level.
#pragma once

#include <cstdint>

class AZ_KeyManager;

class Velkorin {
public:
    static constexpr std::uint32_t kBottomBarId = 0x0200024A;

    // Takes the bottom bar, then starts the level chosen in the level menu
    // when the game was started there, else level 0.
    Velkorin();
    // Releases the level and the bottom bar.
    virtual ~Velkorin();

    Velkorin(const Velkorin&) = delete;
    Velkorin& operator=(const Velkorin&) = delete;

    void OnCreated() {}
    // The key events of the frame to the character that takes keys, then
    // the engine's update.
    void Update(std::int32_t dt);
    // Clear colour, back layers, priorities 4-100, front layers,
    // priorities 0-3, and the bottom bar while the view is enabled.
    void Paint();
    AZ_KeyManager* getEngineKeyManager();

    // Checks of an argument (not 0) and of the render surface; the game
    // never calls them.
    static void CheckArgument(std::uintptr_t argument);
    static void CheckSurface();
};
