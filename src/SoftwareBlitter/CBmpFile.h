// Reader of Windows BMP files held in memory: uncompressed, bottom-up, 4, 8
// or 24 bits per pixel. The reader does not copy the pixels; the buffer
// stays the caller's and must outlive the reader and its cursors. Pixels
// are addressed by a cursor with row 0 at the top of the picture.
#pragma once

#include <cstdint>

#include "platform/shared/core/Debug.h"

// The headers as stored (little-endian), plus what is derived from them.
struct BmpHeader {
    std::uint8_t signature[2] = {};
    std::uint32_t fileSize = 0;
    std::uint32_t dataOffset = 0;
    std::uint32_t infoSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::int32_t xResolution = 0;
    std::int32_t yResolution = 0;
    std::int32_t coloursUsed = 0;
    std::int32_t coloursImportant = 0;
    // 14 + the info header's size: where the colour table starts.
    std::uint32_t paletteOffset = 0;
    // Colour-table bytes: 4 per entry (blue, green, red, unused).
    std::uint32_t paletteSize = 0;
};

class CBmpCursor;

class CBmpFile {
public:
    // The buffer must hold a bitmap that ParseHeader accepts (asserted).
    CBmpFile(const std::uint8_t* buffer, std::uint32_t size);

    // Reads the headers of the size bytes at buffer. 1 when they describe a
    // bitmap this reader can serve entirely from the buffer: signature "BM",
    // file size equal to size, width and height above 0, 4, 8 or 24 bits,
    // no compression, the colour table and every row inside the buffer.
    static int ParseHeader(const std::uint8_t* buffer, std::uint32_t size, BmpHeader* header);

    int GetWidth() const { return m_header.width; }
    int GetHeight() const { return m_header.height; }
    int GetBitCount() const { return m_header.bitCount; }
    // Colour-table bytes from the header; above 0 means palettized.
    int GetPaletteSize() const { return static_cast<int>(m_header.paletteSize); }
    const std::uint8_t* GetPalette() const { return m_palette; }
    std::uint32_t GetPaletteBytes() const { return m_paletteBytes; }
    // Colours are looked up in the size bytes at palette from now on.
    void SetPalette(const std::uint8_t* palette, std::uint32_t size) {
        m_palette = palette;
        m_paletteBytes = size;
    }
    CBmpCursor GetCursor(int x, int y) const;

private:
    friend class CBmpCursor;

    const std::uint8_t* m_buffer;
    std::uint32_t m_size;
    BmpHeader m_header;
    // Bytes from one picture row to the next one down: negative, since the
    // rows are stored bottom-up.
    std::int64_t m_stride = 0;
    const std::uint8_t* m_palette = nullptr;
    std::uint32_t m_paletteBytes = 0;
    // Offset of the top row (the last one stored).
    std::int64_t m_topRow = 0;
};

// One pixel position of a bitmap; copied by value.
class CBmpCursor {
public:
    CBmpCursor(const CBmpFile* file, int x, int y) : m_file(file) { Seek(x, y); }

    // x may be the width and y the height (one past the end), no further.
    void Seek(int x, int y);
    int GetX() const { return m_x; }
    int GetY() const { return m_y; }
    void MoveY(int dy) {
        const std::int64_t y = std::int64_t{m_y} + dy;
        DebugAssert(y >= 0 && y <= m_file->m_header.height, "CBmpFile.h", 57);
        m_y = static_cast<int>(y);
        m_row += dy * m_file->m_stride;
    }
    // The palette index at the cursor; -1 for a bitmap without a palette.
    int GetPaletteIndex() const;
    // The colour at the cursor as 0x00RRGGBB (the palette entry's fourth
    // byte on top); an index past the colour table reads black.
    std::uint32_t GetPixel() const;
    // n indices rightwards from the cursor; n bytes of 255 without a palette.
    void ReadRowIndices(std::uint8_t* dst, int n) const;
    // n indices downwards from the cursor, which ends where it started.
    void ReadColumnIndices(std::uint8_t* dst, int n);

    bool operator==(const CBmpCursor& other) const = default;

private:
    const std::uint8_t* Row() const { return m_file->m_buffer + m_row; }

    const CBmpFile* m_file;
    std::int64_t m_row = 0;  // offset of the current row in the buffer
    int m_x = 0;
    int m_y = 0;
};

inline CBmpCursor CBmpFile::GetCursor(int x, int y) const { return CBmpCursor(this, x, y); }
