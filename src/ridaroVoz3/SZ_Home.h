// The sprite system's home: the tables of the sprite data read once from
// the archive (palettes, images, tints, image and rect sprites, sprite
// maps), the archetypes loaded on demand through the load queue, and the
// scratch records of the presenters' frame walks.
//
// The data: the anchor keyset 0x05000142 names the main data resource (key
// 0), archetype 0's data resource (key 1; archetype a is that id + a) and
// image 0's image resource (key 2; image i is that id + i). Sprite ids name
// the image sprites first, then the rect sprites. An archetype holds layers
// (sprites with offsets), frames (layers with offsets), animations (frames
// with durations) and characters (the image sprites they need and the
// sprite map that replaces sprite ids when they are drawn).
//
// Sprite data comes from the archive and is checked before use: main data
// that names anything out of range leaves the home not constructed, a
// missing or broken archetype leaves it unloaded, an image that cannot be
// created leaves its sprites drawing nothing; each says so in the debug
// log. Data shorter than its counts reads as zeros. Indices that code
// passes are asserted.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/shared/graphics/2d/CRect.h"
#include "src/ridaroVoz3/SZ_Defines.h"
#include "src/ridaroVoz3/SZ_LoadQueue.h"

// A palette of the data: 256 words, the first 16 converted to the display's
// pixels, the rest as read (zero past the resource's entries).
struct SZ_Palette {
    static constexpr std::uint32_t kEntries = 256;
    static constexpr std::uint32_t kConverted = 16;
    std::uint32_t entries[kEntries] = {};
};

// An image drawn with a palette of the data (-1: its own).
struct SZ_Tint {
    std::uint16_t image = 0;
    std::int8_t palette = -1;
};

struct SZ_ImageSprite {
    std::uint16_t tint = 0;
    std::uint8_t reserved = 0;
    std::uint8_t orientation = 0;
    std::uint8_t GetOrientation() const { return orientation; }
};

// A filled rectangle, or with colour -1 an invisible box; kind is what
// rectangle queries match (1: the engine's collision rectangle).
struct SZ_RectSprite {
    static constexpr std::int32_t kInvisible = -1;
    std::int32_t colour = kInvisible;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::int8_t kind = 0;
};

struct SZ_SpritePair {
    std::uint16_t key = 0;
    std::uint16_t value = 0;
};

// Sprite ids replaced by others, keys ascending.
struct SZ_Spritemap {
    std::uint16_t pairCount = 0;
    std::unique_ptr<SZ_SpritePair[]> pairs;
    // The id drawn for sprite (itself when the map does not hold it).
    std::uint16_t Find(std::uint16_t sprite) const;
};

// An id (a sprite in a layer, a layer in a frame) and its offset.
struct SZ_Placement {
    std::uint16_t id = 0;
    std::int16_t dx = 0;
    std::int16_t dy = 0;
};

struct SZ_PlacementList {
    std::uint8_t count = 0;
    std::unique_ptr<SZ_Placement[]> entries;
};
struct SZ_Layer : SZ_PlacementList {};
struct SZ_Frame : SZ_PlacementList {};

// Frames (indices into the archetype's frames) with their durations in ms.
struct SZ_Animation {
    std::uint8_t frameCount = 0;
    std::unique_ptr<std::uint16_t[]> frames;
    std::unique_ptr<std::uint16_t[]> durations;
};

struct SZ_Character {
    SZ_BitSet neededSprites;  // over the image sprites
    std::uint8_t loaded = 0;
    std::int8_t spritemap = -1;
};

struct SZ_Archetype {
    std::uint16_t layerCount = 0;
    std::unique_ptr<SZ_Layer[]> layers;
    std::uint16_t frameCount = 0;
    std::unique_ptr<SZ_Frame[]> frames;
    std::uint16_t animationCount = 0;
    std::unique_ptr<SZ_Animation[]> animations;
    std::uint8_t characterCount = 0;
    std::unique_ptr<SZ_Character[]> characters;
};

// Presenter flags: value 2 mirrors horizontally, 1 flips vertically, 4
// swaps x and y and draws image sprites from their other variant. The
// orientation that draws image sprite orientation o under them.
std::uint32_t SZ_CombineOrientation(std::uint32_t flags, std::uint32_t o);

class SZ_Home {
public:
    static constexpr std::uint32_t kAnchorId = 0x05000142;

    SZ_Home();
    ~SZ_Home();
    SZ_Home(const SZ_Home&) = delete;
    SZ_Home& operator=(const SZ_Home&) = delete;

    // Reads the anchor and the main data through the application's resource
    // manager; the home is constructed when they are sound.
    void Construct();
    void Destruct();
    bool IsConstructed() const { return m_archetypes != nullptr; }

    bool IsArchetypeLoaded(std::int32_t archetype) const;
    bool IsArchetypeCharacterLoaded(std::int32_t archetype, std::int32_t character) const;
    std::int32_t GetLoadProgress() const;
    std::int32_t GetLoadQueueState() const;
    bool IsLoadQueueProcessing() const;
    // Works the queue off for about budget ms; whether work remains.
    bool ProcessLoadQueue(std::uint32_t budget);

    // Loading and unloading by archetype and character.
    void QueueArchetypeCharacter(std::int32_t archetype, std::int32_t character);
    void LoadArchetypeCharacter(std::int32_t archetype, std::int32_t character);
    void LoadArchetype(std::int32_t archetype);
    void LoadCharacter(std::int32_t archetype, std::int32_t character);
    void DumpArchetypeCharacter(std::int32_t archetype, std::int32_t character);
    bool DumpCharacter(std::int32_t archetype, std::int32_t character);
    void DumpArchetype(std::int32_t archetype);
    void DumpAllArchetypeCharacters();
    void DumpAllImages();
    void DumpAllArchetypes();

    // The frame walks' steps (SZ_Presenter), on the home's scratch.
    SZ_DrawContext& GetDrawContext() { return m_drawContext; }
    const SZ_Archetype* GetArchetype(std::int32_t archetype) const;
    // The id drawn for sprite by a character with that sprite map.
    std::uint16_t ResolveSprite(std::int8_t spritemap, std::uint16_t sprite) const;
    // A rect sprite's size, or an image sprite's image variant's (0 x 0
    // while it is not loaded).
    void GetSpriteSize(std::uint16_t sprite, std::int32_t* width, std::int32_t* height) const;
    void DrawSprite(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint16_t sprite,
                    std::uint32_t flags);
    void EndDraw() {}
    void BeginHitTest(std::int32_t x, std::int32_t y, std::uint8_t radius);
    void HitTestRect(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint16_t sprite,
                     bool boxesOnly);
    std::int32_t GetHitResult() const { return m_hitResult; }
    void ResetBounds();
    void AddToBounds(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h);
    // (0, 0, 0, 0) when nothing was added.
    CRect GetBounds() const;
    void BeginFindRect(std::int32_t kind);
    // Whether the placement ends the query: a rect sprite of the kind
    // sought (with boxesOnly an invisible one), stored as the result.
    bool FindRectAt(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint16_t sprite,
                    bool boxesOnly);
    bool WasRectFound() const { return m_found != 0; }
    const CRect& GetFoundRect() const { return m_foundRect; }

    // The tables, for the loader, the presenters and tests.
    const SZ_Palette& GetPalette(std::uint32_t i) const { return m_palettes[i]; }
    SZ_Image& GetImage(std::uint32_t i) const { return m_images[i]; }
    std::uint16_t GetImagespriteCount() const { return m_imagespriteCount; }
    const SZ_ImageSprite& GetImagesprite(std::uint32_t i) const { return m_imagesprites[i]; }
    // The image record of an image sprite (through its tint).
    SZ_Image& GetImageOf(std::uint32_t imagesprite) const {
        return m_images[m_tints[m_imagesprites[imagesprite].tint].image];
    }
    std::uint32_t GetFirstImageId() const { return m_firstImageId; }

private:
    bool ReadMainData(DataInputStream& in);
    bool ReadPalettes(DataInputStream& in);
    bool ReadArchetype(DataInputStream& in, SZ_Archetype& archetype) const;
    bool IsInvisibleBox(std::uint16_t sprite) const {
        return sprite >= m_imagespriteCount &&
               m_rectsprites[sprite - m_imagespriteCount].colour == SZ_RectSprite::kInvisible;
    }
    // Frees every table and sets the counts back to their empty values.
    void FreeTables();

    std::uint8_t m_paletteCount;
    std::unique_ptr<SZ_Palette[]> m_palettes;
    std::uint16_t m_imageCount;
    std::unique_ptr<SZ_Image[]> m_images;
    std::uint16_t m_tintCount;
    std::unique_ptr<SZ_Tint[]> m_tints;
    std::uint16_t m_imagespriteCount;
    std::unique_ptr<SZ_ImageSprite[]> m_imagesprites;
    std::uint16_t m_rectspriteCount;
    std::unique_ptr<SZ_RectSprite[]> m_rectsprites;
    std::uint16_t m_spriteCount;
    std::uint8_t m_spritemapCount;
    std::unique_ptr<SZ_Spritemap[]> m_spritemaps;
    std::uint8_t m_archetypeCount;
    std::unique_ptr<SZ_Archetype*[]> m_archetypes;
    SZ_LoadQueue m_queue;
    std::uint32_t m_mainDataId = 0;
    std::uint32_t m_firstArchetypeId = 0;
    std::uint32_t m_firstImageId = 0;

    SZ_DrawContext m_drawContext;
    std::int16_t m_hitX = 0, m_hitY = 0;
    std::uint8_t m_hitRadius = 0;
    std::int16_t m_hitResult = -1;
    std::int16_t m_minX = 0, m_minY = 0, m_maxX = 0, m_maxY = 0;
    bool m_boundsAdded = false;
    CRect m_foundRect;
    std::uint8_t m_found = 0;
    std::int32_t m_kindSought = 0;
};
