// The small records of the sprite system: the animation timeline each
// presenter plays, the bit set of characters' needed sprites and of the
// sprites queued for loading, the input stream over a data resource through
// which all sprite data is read, the record of an image's two variants and
// their use, and the draw context through which sprites reach the blitter.
#pragma once

#include <cstdint>

#include "platform/shared/components/CArrayInputStream.h"
#include "platform/shared/graphics/2d/CRect.h"

class CPalettizedImage;
class CSoftwareImage;

// Plays an animation: its frames' durations in milliseconds, a position in
// time and the time window of the current frame (start to end in the
// direction of play, so backwards the start is the larger value).
class SZ_AnimTimeline {
public:
    SZ_AnimTimeline() = default;

    // Plays the first frameCount durations (not owned) from the start for
    // the direction. Their sum must stay below 65536.
    void set(const std::uint16_t* durations, std::uint8_t frameCount, std::uint8_t speed, std::int8_t direction,
             std::uint8_t loop);
    // To the start for the direction (1 forwards, any other value
    // backwards, which is stored as -1).
    void rewind(std::int8_t direction);
    // The first frame for the direction and its window; the time stays.
    void placeAtStart(std::int8_t direction);
    // Plays the other way from where it is.
    void reverse();
    // To the start in the current direction; the speed stays (a finished
    // timeline keeps speed 0 until set anew).
    void restart() { rewind(m_direction); }
    // Not looping and at the end of the last frame for the direction; an
    // animation of no frames is always finished.
    bool isFinished() const;
    // Moves the time on by dt x speed in the direction, frame by frame,
    // wrapping (looping) or stopping at the end with speed 0. A looping
    // animation of total 0 stays on its frame.
    void advance(std::uint32_t dt);

    // Makes the frame the current one; a frame past the last is ignored.
    void setCurrentFrame(std::uint8_t frame) {
        if (frame < m_frameCount) m_currentFrame = frame;
    }
    // Points at the same durations elsewhere (the animation reloaded).
    void setDurations(const std::uint16_t* durations) { m_durations = durations; }
    std::uint8_t getSpeed() const { return m_speed; }
    std::uint8_t getLoop() const { return m_loop; }
    std::int8_t getDirection() const { return m_direction; }
    std::uint16_t getTime() const { return m_time; }
    std::uint16_t getWindowStart() const { return m_windowStart; }
    std::uint16_t getWindowEnd() const { return m_windowEnd; }
    std::uint8_t getFrameCount() const { return m_frameCount; }
    std::uint8_t getCurrentFrame() const { return m_currentFrame; }
    std::uint16_t getTotal() const { return m_total; }

private:
    const std::uint16_t* m_durations = nullptr;
    std::uint8_t m_speed = 0;
    std::uint8_t m_loop = 0;
    std::int8_t m_direction = 1;
    std::uint16_t m_time = 0;
    std::uint16_t m_windowStart = 0;
    std::uint16_t m_windowEnd = 0;
    std::uint8_t m_frameCount = 0;
    std::uint8_t m_currentFrame = 0;
    std::uint16_t m_total = 0;
};

// Bit i is bit i % 8 (least significant first) of byte i / 8. The set count
// counts only the bits changed through Set, not those read in bulk.
class SZ_BitSet {
public:
    SZ_BitSet() = default;
    // Init(n); no bits when memory runs out.
    explicit SZ_BitSet(std::uint32_t n) { Init(n); }
    ~SZ_BitSet() { Release(); }
    SZ_BitSet(const SZ_BitSet&) = delete;
    SZ_BitSet& operator=(const SZ_BitSet&) = delete;

    // n bits, all clear; false (and no bits) when memory runs out.
    bool Init(std::uint32_t n);
    void Release();
    // Asserts i is below the bit count.
    void Set(std::uint32_t i, bool value);
    bool Test(std::uint32_t i) const { return i < m_bitCount && (m_bytes[i >> 3] >> (i & 7) & 1) != 0; }

    std::uint32_t GetSetCount() const { return m_setCount; }
    std::uint32_t GetBitCount() const { return m_bitCount; }
    // The bits not set through Set.
    std::uint32_t GetClearCount() const { return m_bitCount - m_setCount; }
    std::uint32_t GetByteCount() const { return m_byteCount; }
    std::uint8_t* GetBytes() const { return m_bytes; }

private:
    std::uint32_t m_byteCount = 0;
    std::uint8_t* m_bytes = nullptr;
    std::uint32_t m_bitCount = 0;
    std::uint32_t m_setCount = 0;
};

// Reads the payload of a data resource of the application's resource
// manager, little-endian. The resource is held until ReleaseResource.
class DataInputStream : public CArrayInputStream {
public:
    // A stream over the resource; not open when the id is no data resource
    // (nor an alias of a known form) or the resource cannot be had.
    explicit DataInputStream(std::uint32_t resourceId);
    ~DataInputStream() override = default;

    bool IsOpen() const { return m_open; }
    std::uint32_t GetResourceId() const { return m_resourceId; }
    // 1: multi-byte values are read big-endian.
    void SetSwap(std::uint8_t swap) { m_swap = swap; }
    std::uint8_t GetSwap() const { return m_swap; }
    // A big-endian u16 length, whatever the swap flag, then that many bytes
    // into a new buffer of length + 1 with a terminating 0, which the caller
    // owns (delete[]). A length past the bytes left is refused: nothing is
    // read beyond it, the error flag is set and text is null, as it is
    // without memory. True when the text was read.
    bool ReadString(char*& text);
    // Gives the resource back; the owner calls it before the stream ends.
    void ReleaseResource();

private:
    std::uint32_t m_resourceId;
    bool m_open = false;
};

// Orientations 4-7 draw from the rotated (transposed) image.
inline bool SZ_IsRotatedOrientation(std::uint32_t orientation) { return orientation >= 4; }

// One image of the sprite data: which orientations loaded characters use
// (bit o for orientation o; bits 0-3 need the stored image, bits 4-7 the
// rotated one) and the two variants, owned.
class SZ_Image {
public:
    SZ_Image() = default;
    ~SZ_Image() { ReleaseAll(); }
    SZ_Image(const SZ_Image&) = delete;
    SZ_Image& operator=(const SZ_Image&) = delete;

    bool HasUse(std::uint32_t o) const { return (m_useMask >> o & 1) != 0; }
    bool HasRotatedUse() const { return (m_useMask & 0xF0) != 0; }
    bool HasNormalUse() const { return (m_useMask & 0x0F) != 0; }
    // No use in o's half: that variant is not loaded.
    bool NeedsLoad(std::uint32_t o) const { return SZ_IsRotatedOrientation(o) ? !HasRotatedUse() : !HasNormalUse(); }
    // Sets bit o; the image (owned from now on) fills o's variant when that
    // is empty and is deleted otherwise. Returns whether bit o was clear.
    bool AddUse(std::uint32_t o, CPalettizedImage* image);
    // Clears bit o; the variant goes with the last use of its half.
    void RemoveUse(std::uint32_t o);
    // Clears the mask and deletes both variants; returns how many.
    std::int32_t ReleaseAll();
    // The size of o's variant, 0 x 0 when it is not loaded.
    void GetSize(std::uint32_t o, std::int32_t* width, std::int32_t* height) const;
    // The variant that draws orientation o and the blit flags that turn it
    // (null when not loaded).
    CPalettizedImage* GetDrawImage(std::uint32_t o, std::uint32_t* blitFlags) const;
    CPalettizedImage* GetVariant(std::uint32_t o) const { return SZ_IsRotatedOrientation(o) ? m_rotated : m_stored; }

    std::uint16_t GetIndex() const { return m_index; }
    void SetIndex(std::uint16_t index) { m_index = index; }
    std::uint8_t GetUseMask() const { return m_useMask; }

private:
    CPalettizedImage*& Slot(std::uint32_t o) { return SZ_IsRotatedOrientation(o) ? m_rotated : m_stored; }

    std::uint16_t m_index = 0;
    std::uint8_t m_useMask = 0;
    CPalettizedImage* m_stored = nullptr;
    CPalettizedImage* m_rotated = nullptr;
};

// Where a frame walk draws: the clip rectangle of images and the offset
// added to every position.
struct SZ_DrawContext {
    CRect clip;
    std::int16_t offsetX = 0;
    std::int16_t offsetY = 0;

    void SetOffset(std::int16_t x, std::int16_t y) {
        offsetX = x;
        offsetY = y;
    }
    void SetClip(const CRect& rect) { clip = rect; }
    // The whole image at (x, y) plus the offset, clipped to the clip.
    void DrawImage(CSoftwareImage* image, std::uint32_t flags, std::int32_t x, std::int32_t y) const;
    // An opaque fill at (x, y) plus the offset; only the render surface
    // clips it.
    void FillRect(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint32_t colour) const;
};
