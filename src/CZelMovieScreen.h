// The splash movie: three tracks of timed commands, read from constant
// tables, that load images into three slots and show or move them at
// regions of the screen (fractions of its size plus pixel offsets). The
// movie ends with result 1 when track 0 reaches its end (3000 ms), when an
// image cannot be had, on select once no skip mark is left (the one mark,
// at 0 ms, is passed by the first update) and on a tap; back gives 2.
#pragma once

#include <cstdint>

#include "src/CNode.h"

class CImage;
struct CRect;

class CZelMovieScreen : public CNode {
public:
    static constexpr std::int32_t kTracks = 3;
    static constexpr std::int32_t kSlots = 3;

    // Command codes.
    enum Code : std::int16_t {
        kEnd = 0,
        kWait = 1,
        kLoad = 20,  // the argument's image into the slot
        kShow = 21,  // the slot's image at the argument's region
        kFadeIn = 22,
        kFadeOut = 23,
        kMove = 24,  // from the argument's region to the next one
    };
    struct Command {
        std::int16_t code;
        std::int16_t duration;  // ms
        std::int16_t slot;
        std::int16_t unused;
        std::uint32_t argument;  // an image id or a region index
    };
    struct Region {
        std::int32_t xFraction;  // of the screen width, in 1/1024
        std::int32_t yFraction;
        std::int16_t xOffset;  // pixels
        std::int16_t yOffset;
    };

    CZelMovieScreen() = default;
    // Stops the sequence, giving its images back.
    ~CZelMovieScreen() override;

    // Clears the result and runs the first update with 0 ms: every track
    // loads and enters its first timed command. 0.
    std::int32_t Init() override;
    std::uint8_t HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t param2) override;
    std::uint32_t Update(std::uint32_t dt) override;
    // Repaints every frame; 1.
    std::uint8_t Draw() override;

private:
    struct Track {
        std::int32_t index = -1;
        std::int32_t remaining = 0;
        const Command* commands = nullptr;
    };

    // Every track idles from now on and the images are given back.
    void Stop();
    // Ends the movie with result 1.
    void Finish();
    // The track's current command.
    static const Command& Current(const Track& track);
    // The region's point on the screen.
    static void RegionPoint(std::uint32_t region, std::int32_t width, std::int32_t height, std::int32_t* x,
                            std::int32_t* y);
    // The image rectangle of a fade and its level, 0 to 255; draws nothing.
    void DrawFade(const CRect& rect, std::int32_t level);

    std::int32_t m_markIndex = 0;
    std::int32_t m_elapsed = 0;
    Track m_tracks[kTracks];
    std::uint32_t m_slotIds[kSlots] = {};
    CImage* m_slotImages[kSlots] = {};
};
