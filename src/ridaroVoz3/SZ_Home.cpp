#include "src/ridaroVoz3/SZ_Home.h"

#include <algorithm>
#include <new>

#include "platform/shared/components/CKeysetResource.h"
#include "platform/shared/core/Debug.h"
#include "platform/shared/graphics/2d/PixelFormat.h"
#include "src/CGameApp.h"
#include "src/CResMgr.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "src/ridaroVoz3/SZ_Trace.h"

namespace {

constexpr const char* kSource = "SZ_Home";

template <typename T>
std::unique_ptr<T[]> NewArray(std::uint32_t n) {
    return std::unique_ptr<T[]>(new (std::nothrow) T[n]());
}

// Logs why sprite data is refused; false.
bool Refuse(const char* operation, const char* what, std::int32_t index, std::int32_t value) {
    DebugPrintf(SZ_STEP "%s() refused: %s %d is %d", operation, what, index, value);
    return false;
}

bool NoMemory(const char* operation) {
    DebugPrintf(SZ_STEP "%s() refused: no memory", operation);
    return false;
}

// The display formats whose pixels a palette is converted to.
bool IsPaletteFormat(std::uint32_t format) {
    return format == kPixelFormatRgb565 || format == kPixelFormatRgb666 || format == kPixelFormatBgr888 ||
           format == kPixelFormatXrgb8888 || format == kPixelFormatArgb8888;
}

// count lists of (id, dx, dy) entries, each id below idLimit.
template <typename List>
bool ReadPlacements(DataInputStream& in, std::uint16_t& count, std::unique_ptr<List[]>& lists, std::uint32_t idLimit,
                    const char* what) {
    count = in.ReadU16();
    lists = NewArray<List>(count);
    if (lists == nullptr) return NoMemory("LoadArchetype");
    for (std::uint32_t i = 0; i < count; ++i) {
        List& list = lists[i];
        list.count = in.ReadU8();
        list.entries = NewArray<SZ_Placement>(list.count);
        if (list.entries == nullptr) return NoMemory("LoadArchetype");
        for (std::uint32_t e = 0; e < list.count; ++e) {
            SZ_Placement& entry = list.entries[e];
            entry.id = in.ReadU16();
            entry.dx = in.ReadS16();
            entry.dy = in.ReadS16();
            if (entry.id >= idLimit) return Refuse("LoadArchetype", what, static_cast<std::int32_t>(i), entry.id);
        }
    }
    return true;
}

}  // namespace

std::uint16_t SZ_Spritemap::Find(std::uint16_t sprite) const {
    std::int32_t low = 0, high = pairCount - 1;
    while (low <= high) {
        const std::int32_t middle = (low + high) / 2;
        const SZ_SpritePair& pair = pairs[middle];
        if (pair.key == sprite) return pair.value;
        if (pair.key < sprite) {
            low = middle + 1;
        } else {
            high = middle - 1;
        }
    }
    return sprite;
}

std::uint32_t SZ_CombineOrientation(std::uint32_t flags, std::uint32_t o) {
    if (o < 4) return o ^ (flags & 7);
    return o ^ ((flags & 4) | (flags & 1) << 1 | (flags & 2) >> 1);
}

SZ_Home::SZ_Home() { FreeTables(); }

SZ_Home::~SZ_Home() { Destruct(); }

void SZ_Home::FreeTables() {
    if (m_archetypes != nullptr) {
        for (std::uint32_t a = 0; a < m_archetypeCount; ++a) delete m_archetypes[a];
    }
    m_archetypes.reset();
    m_spritemaps.reset();
    m_palettes.reset();
    m_images.reset();
    m_tints.reset();
    m_queue.GetMarkedSprites().Release();
    m_imagesprites.reset();
    m_rectsprites.reset();
    m_paletteCount = m_spritemapCount = m_archetypeCount = 0xFF;
    m_imageCount = m_tintCount = m_imagespriteCount = m_rectspriteCount = m_spriteCount = 0xFFFF;
}

void SZ_Home::Construct() {
    DebugAssert(!IsConstructed(), kSource, 86);
    DebugPrintf("%s", SZ_OPEN "Construct() begin");
    DebugPrintf("%s", SZ_STEP "Construct() acquiring anchor resourceIDs");
    CResMgr* resources = CGameApp::GetResMgr();
    const CKeysetResource* anchor = resources->GetKeyset(kAnchorId, 0);
    if (anchor == nullptr) {
        DebugPrintf(SZ_STEP "Construct() refused: no anchor keyset 0x%08X", kAnchorId);
        return;
    }
    m_mainDataId = anchor->GetKey(0);
    m_firstArchetypeId = anchor->GetKey(1);
    m_firstImageId = anchor->GetKey(2);
    resources->Release(kAnchorId, 1);

    DebugPrintf("%s", SZ_STEP "Construct() acquiring data input stream");
    DataInputStream in(m_mainDataId);
    if (!in.IsOpen()) {
        DebugPrintf(SZ_STEP "Construct() refused: no main data resource 0x%08X", m_mainDataId);
        return;
    }
    const bool sound = ReadMainData(in);
    DebugPrintf("%s", SZ_STEP "Construct() closing data input stream");
    in.ReleaseResource();
    if (!sound) FreeTables();
    DebugPrintf("%s", SZ_CLOSE "Construct() return");
}

bool SZ_Home::ReadPalettes(DataInputStream& in) {
    DebugPrintf("%s", SZ_STEP "Construct() reading palettes");
    m_paletteCount = in.ReadU8();
    DebugPrintf("%s %d", SZ_STEP "Construct() paletteCount", m_paletteCount);
    m_palettes = NewArray<SZ_Palette>(m_paletteCount);
    if (m_palettes == nullptr) return NoMemory("Construct");
    for (std::uint32_t p = 0; p < m_paletteCount; ++p) {
        // Indices reach 255: what lies beyond the 256th entry is skipped,
        // what the resource does not hold stays 0.
        const std::uint32_t byteSize = in.ReadU16();
        std::uint8_t bytes[SZ_Palette::kEntries * 4] = {};
        const std::uint32_t kept = std::min<std::uint32_t>(byteSize, sizeof bytes);
        in.Read(bytes, kept);
        in.Skip(byteSize - kept);
        std::uint32_t* entries = m_palettes[p].entries;
        for (std::uint32_t e = 0; e < SZ_Palette::kEntries; ++e) {
            const std::uint8_t* b = bytes + 4 * e;
            entries[e] = b[0] | b[1] << 8 | b[2] << 16 | static_cast<std::uint32_t>(b[3]) << 24;
        }
    }
    const std::uint32_t format = CGameApp::GetBlitter()->GetPixelFormat();
    DebugAssert(IsPaletteFormat(format), kSource, 159);
    for (std::uint32_t p = 0; p < m_paletteCount; ++p) {
        std::uint32_t* entries = m_palettes[p].entries;
        for (std::uint32_t e = 0; e < SZ_Palette::kConverted; ++e) {
            entries[e] = CSoftwareImage::ConvertColour(format, entries[e] & 0xFFFFFF);
        }
    }
    return true;
}

bool SZ_Home::ReadMainData(DataInputStream& in) {
    if (!ReadPalettes(in)) return false;

    m_imageCount = in.ReadU16();
    DebugPrintf("%s %d", SZ_STEP "Construct() imageCount", m_imageCount);
    m_images = NewArray<SZ_Image>(m_imageCount);
    if (m_images == nullptr) return NoMemory("Construct");
    for (std::uint32_t i = 0; i < m_imageCount; ++i) m_images[i].SetIndex(static_cast<std::uint16_t>(i));

    DebugPrintf("%s", SZ_STEP "Construct() reading tints");
    m_tintCount = in.ReadU16();
    DebugPrintf("%s %d", SZ_STEP "Construct() tintCount", m_tintCount);
    m_tints = NewArray<SZ_Tint>(m_tintCount);
    if (m_tints == nullptr) return NoMemory("Construct");
    for (std::int32_t i = 0; i < m_tintCount; ++i) {
        SZ_Tint& tint = m_tints[i];
        tint.image = in.ReadU16();
        if (tint.image >= m_imageCount) return Refuse("Construct", "the image of tint", i, tint.image);
        tint.palette = in.ReadS8();
        if (tint.palette < -1 || tint.palette >= m_paletteCount) {
            return Refuse("Construct", "the palette of tint", i, tint.palette);
        }
    }

    DebugPrintf("%s", SZ_STEP "Construct() reading imagesprites");
    m_imagespriteCount = in.ReadU16();
    DebugPrintf("%s %d", SZ_STEP "Construct() imagespriteCount", m_imagespriteCount);
    m_imagesprites = NewArray<SZ_ImageSprite>(m_imagespriteCount);
    if (m_imagesprites == nullptr) return NoMemory("Construct");
    for (std::int32_t i = 0; i < m_imagespriteCount; ++i) {
        SZ_ImageSprite& sprite = m_imagesprites[i];
        sprite.tint = in.ReadU16();
        sprite.orientation = in.ReadU8();
        sprite.reserved = in.ReadU8();
        if (sprite.tint >= m_tintCount) return Refuse("Construct", "the tint of imagesprite", i, sprite.tint);
        if (sprite.orientation > 7) return Refuse("Construct", "the orientation of imagesprite", i, sprite.orientation);
    }

    DebugPrintf("%s", SZ_STEP "Construct() reading rectsprites");
    m_rectspriteCount = in.ReadU16();
    DebugPrintf("%s %d", SZ_STEP "Construct() rectspriteCount", m_rectspriteCount);
    m_rectsprites = NewArray<SZ_RectSprite>(m_rectspriteCount);
    if (m_rectsprites == nullptr) return NoMemory("Construct");
    for (std::uint32_t i = 0; i < m_rectspriteCount; ++i) {
        SZ_RectSprite& rect = m_rectsprites[i];
        rect.colour = in.ReadS32();
        rect.width = in.ReadU16();
        rect.height = in.ReadU16();
        rect.kind = in.ReadS8();
    }

    // Sprite ids are 16-bit: the two tables together must fit them.
    const std::int32_t spriteCount = m_imagespriteCount + m_rectspriteCount;
    if (spriteCount > 0xFFFF) return Refuse("Construct", "the sprite count of", m_imagespriteCount, spriteCount);
    m_spriteCount = static_cast<std::uint16_t>(spriteCount);
    DebugPrintf("%s %d", SZ_STEP "Construct() spriteCount", m_spriteCount);

    DebugPrintf("%s", SZ_STEP "Construct() reading spritemaps");
    m_spritemapCount = in.ReadU8();
    DebugPrintf("%s %d", SZ_STEP "Construct() spritemapCount", m_spritemapCount);
    m_spritemaps = NewArray<SZ_Spritemap>(m_spritemapCount);
    if (m_spritemaps == nullptr) return NoMemory("Construct");
    for (std::int32_t m = 0; m < m_spritemapCount; ++m) {
        SZ_Spritemap& map = m_spritemaps[m];
        map.pairCount = in.ReadU16();
        map.pairs = NewArray<SZ_SpritePair>(map.pairCount);
        if (map.pairs == nullptr) return NoMemory("Construct");
        for (std::uint32_t i = 0; i < map.pairCount; ++i) {
            SZ_SpritePair& pair = map.pairs[i];
            pair.key = in.ReadU16();
            pair.value = in.ReadU16();
            if (i > 0 && pair.key < map.pairs[i - 1].key) return Refuse("Construct", "a key of spritemap", m, pair.key);
            if (pair.value >= m_spriteCount) return Refuse("Construct", "a value of spritemap", m, pair.value);
        }
    }

    DebugPrintf("%s", SZ_STEP "Construct() reading archetype shell");
    const std::uint8_t archetypeCount = in.ReadU8();
    DebugPrintf("%s %d", SZ_STEP "Construct() archetypeCount", archetypeCount);
    if (!m_queue.Init(this)) return NoMemory("Construct");
    m_archetypes = NewArray<SZ_Archetype*>(archetypeCount);
    if (m_archetypes == nullptr) return NoMemory("Construct");
    m_archetypeCount = archetypeCount;
    return true;
}

void SZ_Home::Destruct() {
    if (!IsConstructed()) return;
    DebugPrintf("%s", SZ_OPEN "Destruct() begin");
    DumpAllImages();
    DumpAllArchetypes();
    FreeTables();
    DebugPrintf("%s", SZ_CLOSE "Destruct() return");
}

// A home that broken data left unconstructed has nothing loaded and never
// queues: its queue stays empty and idle, and the game draws no sprites.
bool SZ_Home::IsArchetypeLoaded(std::int32_t archetype) const {
    return IsConstructed() && archetype >= 0 && archetype < m_archetypeCount && m_archetypes[archetype] != nullptr;
}

bool SZ_Home::IsArchetypeCharacterLoaded(std::int32_t archetype, std::int32_t character) const {
    DebugAssert(archetype >= 0 && archetype < 256, kSource, 381);
    DebugAssert(character >= 0 && character < 256, kSource, 382);
    if (!IsArchetypeLoaded(archetype)) return false;
    const SZ_Archetype& loaded = *m_archetypes[archetype];
    return character < loaded.characterCount && loaded.characters[character].loaded != 0;
}

std::int32_t SZ_Home::GetLoadProgress() const {
    return m_queue.GetProgress();
}

std::int32_t SZ_Home::GetLoadQueueState() const {
    return m_queue.GetState();
}

bool SZ_Home::IsLoadQueueProcessing() const {
    return m_queue.GetState() == SZ_LoadQueue::kProcessing;
}

bool SZ_Home::ProcessLoadQueue(std::uint32_t budget) {
    return m_queue.LoadQueued(budget);
}

void SZ_Home::QueueArchetypeCharacter(std::int32_t archetype, std::int32_t character) {
    DebugPrintf("%s", SZ_OPEN "QueueArchetypeCharacter() begin");
    DebugAssert(archetype >= 0 && archetype < 256, kSource, 436);
    DebugAssert(character >= 0 && character < 256, kSource, 437);
    const char* message = SZ_STEP "QueueArchetypeCharacter() already loaded is archetype,character";
    if (!IsConstructed()) {
        message = SZ_STEP "QueueArchetypeCharacter() no sprite data: not queued is archetype,character";
    } else if (!IsArchetypeCharacterLoaded(archetype, character)) {
        message = m_queue.Add(static_cast<std::uint8_t>(archetype), static_cast<std::uint8_t>(character))
                      ? SZ_STEP "QueueArchetypeCharacter() queueing now completed for archetype,character"
                      : SZ_STEP "QueueArchetypeCharacter() no need - already queued is archetype,character";
    }
    DebugPrintf("%s %d,%d", message, archetype, character);
    DebugPrintf("%s", SZ_CLOSE "QueueArchetypeCharacter() return");
}

void SZ_Home::LoadArchetypeCharacter(std::int32_t archetype, std::int32_t character) {
    DebugAssert(IsConstructed(), kSource, 553);
    DebugPrintf("%s", SZ_OPEN "LoadArchetypeCharacter() begin");
    DebugPrintf("%s %d,%d", SZ_STEP "LoadArchetypeCharacter() loading (if necessary) archetype,character", archetype,
                character);
    LoadArchetype(archetype);
    if (IsArchetypeLoaded(archetype)) LoadCharacter(archetype, character);
    DebugPrintf("%s", SZ_CLOSE "LoadArchetypeCharacter() return");
}

void SZ_Home::LoadArchetype(std::int32_t archetype) {
    if (IsArchetypeLoaded(archetype)) {
        DebugPrintf("%s %d", SZ_STEP "LoadArchetype() no need to load - already loaded is archetype", archetype);
        return;
    }
    if (archetype < 0 || archetype >= m_archetypeCount) {
        Refuse("LoadArchetype", "the archetype count for archetype", archetype, m_archetypeCount);
        return;
    }
    auto* loaded = new (std::nothrow) SZ_Archetype();
    if (loaded == nullptr) {
        NoMemory("LoadArchetype");
        return;
    }
    DebugPrintf("%s", SZ_STEP "LoadArchetype() acquiring data input stream");
    DataInputStream in(m_firstArchetypeId + static_cast<std::uint32_t>(archetype));
    if (!in.IsOpen()) {
        DebugPrintf(SZ_STEP "LoadArchetype() refused: no resource 0x%08X for archetype %d", in.GetResourceId(),
                    archetype);
        delete loaded;
        return;
    }
    DebugPrintf("%s %d (%s)", SZ_STEP "LoadArchetype() loading archetype", archetype, "");
    const bool sound = ReadArchetype(in, *loaded);
    DebugPrintf("%s", SZ_STEP "LoadArchetype() closing data input stream");
    in.ReleaseResource();
    if (sound) {
        m_archetypes[archetype] = loaded;
    } else {
        delete loaded;
    }
}

bool SZ_Home::ReadArchetype(DataInputStream& in, SZ_Archetype& archetype) const {
    DebugPrintf("%s", SZ_STEP "LoadArchetype() reading layers");
    if (!ReadPlacements(in, archetype.layerCount, archetype.layers, m_spriteCount, "a sprite of layer")) return false;
    DebugPrintf("%s", SZ_STEP "loadArchetype() reading frames");
    if (!ReadPlacements(in, archetype.frameCount, archetype.frames, archetype.layerCount, "a layer of frame")) {
        return false;
    }

    DebugPrintf("%s", SZ_STEP "LoadArchetype() reading animations");
    archetype.animationCount = in.ReadU16();
    archetype.animations = NewArray<SZ_Animation>(archetype.animationCount);
    if (archetype.animations == nullptr) return NoMemory("LoadArchetype");
    for (std::int32_t i = 0; i < archetype.animationCount; ++i) {
        SZ_Animation& animation = archetype.animations[i];
        animation.frameCount = in.ReadU8();
        animation.frames = NewArray<std::uint16_t>(animation.frameCount);
        animation.durations = NewArray<std::uint16_t>(animation.frameCount);
        if (animation.frames == nullptr || animation.durations == nullptr) return NoMemory("LoadArchetype");
        std::int32_t total = 0;
        for (std::uint32_t f = 0; f < animation.frameCount; ++f) {
            animation.frames[f] = in.ReadU16();
            // Units of 10 ms, kept as 16-bit milliseconds.
            animation.durations[f] = static_cast<std::uint16_t>(in.ReadU16() * 10);
            total += animation.durations[f];
            if (animation.frames[f] >= archetype.frameCount) {
                return Refuse("LoadArchetype", "a frame of animation", i, animation.frames[f]);
            }
        }
        if (total > 0xFFFF) return Refuse("LoadArchetype", "the total ms of animation", i, total);
    }

    DebugPrintf("%s", SZ_STEP "LoadArchetype() reading characters");
    archetype.characterCount = in.ReadU8();
    archetype.characters = NewArray<SZ_Character>(archetype.characterCount);
    if (archetype.characters == nullptr) return NoMemory("LoadArchetype");
    for (std::int32_t c = 0; c < archetype.characterCount; ++c) {
        SZ_Character& character = archetype.characters[c];
        if (!character.neededSprites.Init(m_imagespriteCount)) return NoMemory("LoadArchetype");
        in.Read(character.neededSprites.GetBytes(), character.neededSprites.GetByteCount());
        character.loaded = 0;
        character.spritemap = in.ReadS8();
        if (character.spritemap < -1 || character.spritemap >= m_spritemapCount) {
            return Refuse("LoadArchetype", "the spritemap of character", c, character.spritemap);
        }
    }
    return true;
}

void SZ_Home::LoadCharacter(std::int32_t archetype, std::int32_t character) {
    DebugAssert(IsArchetypeLoaded(archetype), kSource, 702);
    const SZ_Archetype& loaded = *m_archetypes[archetype];
    if (character < 0 || character >= loaded.characterCount) {
        Refuse("LoadCharacter", "the character count for character", character, loaded.characterCount);
        return;
    }
    SZ_Character& entry = loaded.characters[character];
    if (entry.loaded != 0) {
        DebugPrintf("%s %d", SZ_STEP "LoadCharacter() no need to load - already loaded is character", character);
        return;
    }
    DebugPrintf("%s %d (%s)", SZ_STEP "LoadCharacter() loading character", character, "");
    entry.loaded = 1;
    // Only marks: the queue's sprite pass creates the images.
    for (std::uint32_t i = 0; i < m_imagespriteCount; ++i) {
        if (!entry.neededSprites.Test(i)) continue;
        const std::uint32_t o = m_imagesprites[i].orientation;
        SZ_Image& image = GetImageOf(i);
        if (image.HasUse(o)) continue;
        if (image.NeedsLoad(o)) {
            m_queue.GetMarkedSprites().Set(i, true);
        } else {
            image.AddUse(o, nullptr);
        }
    }
}

bool SZ_Home::DumpCharacter(std::int32_t archetype, std::int32_t character) {
    DebugAssert(IsArchetypeLoaded(archetype), kSource, 744);
    const SZ_Archetype& loaded = *m_archetypes[archetype];
    if (character < 0 || character >= loaded.characterCount || loaded.characters[character].loaded == 0) {
        DebugPrintf("%s %d", SZ_STEP "DumpCharacter()  no need to dump - already not loaded is character", character);
        return false;
    }
    loaded.characters[character].loaded = 0;
    DebugPrintf("%s %d (%s)", SZ_STEP "DumpCharacter() dumping character", character, "");
    DebugPrintf("%s", SZ_STEP "DumpCharacter() searching for and losing references to unneeded images");
    // The orientations of each image that loaded characters still need,
    // through any of its image sprites: sprites of two tints of one image
    // share its use bits and its variants.
    const auto needed = NewArray<std::uint8_t>(m_imageCount);
    if (needed == nullptr) return true;  // keeps every image
    for (std::uint32_t a = 0; a < m_archetypeCount; ++a) {
        if (m_archetypes[a] == nullptr) continue;
        for (std::uint32_t c = 0; c < m_archetypes[a]->characterCount; ++c) {
            const SZ_Character& other = m_archetypes[a]->characters[c];
            if (other.loaded == 0) continue;
            for (std::uint32_t i = 0; i < m_imagespriteCount; ++i) {
                if (other.neededSprites.Test(i)) {
                    needed[m_tints[m_imagesprites[i].tint].image] |= static_cast<std::uint8_t>(
                        1u << m_imagesprites[i].orientation);
                }
            }
        }
    }
    for (std::uint32_t r = 0; r < m_imageCount; ++r) {
        const std::uint32_t unused = m_images[r].GetUseMask() & ~needed[r];
        for (std::uint32_t o = 0; o < 8; ++o) {
            if ((unused >> o & 1) != 0) m_images[r].RemoveUse(o);
        }
    }
    return true;
}

void SZ_Home::DumpArchetypeCharacter(std::int32_t archetype, std::int32_t character) {
    DebugAssert(IsConstructed(), kSource, 478);
    DebugAssert(!IsLoadQueueProcessing(), kSource, 479);
    DebugAssert(archetype >= 0 && archetype < 256, kSource, 481);
    DebugAssert(character >= 0 && character < 256, kSource, 482);
    DebugPrintf("%s", SZ_OPEN "DumpArchetypeCharacter() begin");
    DebugPrintf("%s %d,%d", SZ_STEP "DumpArchetypeCharacter() dumping (if necessary) archetype,character", archetype,
                character);
    if (IsArchetypeLoaded(archetype) && DumpCharacter(archetype, character)) {
        const SZ_Archetype& loaded = *m_archetypes[archetype];
        const bool othersLoaded =
            std::any_of(loaded.characters.get(), loaded.characters.get() + loaded.characterCount,
                        [](const SZ_Character& other) { return other.loaded != 0; });
        if (othersLoaded) {
            DebugPrintf("%s %d (%s)", SZ_STEP "DumpArchetypeCharacter() leaving intact enclosing archetype",
                        archetype, "");
        } else {
            DumpArchetype(archetype);
        }
    }
    DebugPrintf("%s", SZ_CLOSE "DumpArchetypeCharacter() return");
}

void SZ_Home::DumpArchetype(std::int32_t archetype) {
    if (!IsArchetypeLoaded(archetype)) {
        DebugPrintf("%s %d", SZ_STEP "DumpArchetype() no need to dump - already not loaded is archetype", archetype);
        return;
    }
    DebugPrintf("%s %d (%s)", SZ_STEP "DumpArchetype() now dumping archetype", archetype, "");
    delete m_archetypes[archetype];
    m_archetypes[archetype] = nullptr;
}

void SZ_Home::DumpAllArchetypeCharacters() {
    DebugAssert(IsConstructed(), kSource, 518);
    DebugAssert(!IsLoadQueueProcessing(), kSource, 519);
    DebugPrintf("%s", SZ_OPEN "DumpAllArchetypeCharacters() begin");
    DumpAllImages();
    DumpAllArchetypes();
    DebugPrintf("%s", SZ_CLOSE "DumpAllArchetypeCharacters() return");
}

void SZ_Home::DumpAllImages() {
    DebugPrintf("%s", SZ_STEP "DumpAllImages() dumping all images");
    std::int32_t dumped = 0;
    for (std::uint32_t i = 0; i < m_imageCount; ++i) dumped += m_images[i].ReleaseAll();
    DebugPrintf("%s %d", SZ_STEP "DumpAllImages() dumped this many images", dumped);
}

void SZ_Home::DumpAllArchetypes() {
    for (std::int32_t a = 0; a < m_archetypeCount; ++a) DumpArchetype(a);
}

const SZ_Archetype* SZ_Home::GetArchetype(std::int32_t archetype) const {
    return IsArchetypeLoaded(archetype) ? m_archetypes[archetype] : nullptr;
}

std::uint16_t SZ_Home::ResolveSprite(std::int8_t spritemap, std::uint16_t sprite) const {
    return spritemap < 0 ? sprite : m_spritemaps[spritemap].Find(sprite);
}

void SZ_Home::GetSpriteSize(std::uint16_t sprite, std::int32_t* width, std::int32_t* height) const {
    if (sprite < m_imagespriteCount) {
        GetImageOf(sprite).GetSize(m_imagesprites[sprite].orientation, width, height);
        return;
    }
    const SZ_RectSprite& rect = m_rectsprites[sprite - m_imagespriteCount];
    *width = rect.width;
    *height = rect.height;
}

void SZ_Home::DrawSprite(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint16_t sprite,
                         std::uint32_t flags) {
    if (sprite >= m_imagespriteCount) {
        const SZ_RectSprite& rect = m_rectsprites[sprite - m_imagespriteCount];
        if (rect.colour != SZ_RectSprite::kInvisible) {
            m_drawContext.FillRect(x, y, w, h, static_cast<std::uint32_t>(rect.colour));
        }
        return;
    }
    const SZ_ImageSprite& imagesprite = m_imagesprites[sprite];
    const SZ_Tint& tint = m_tints[imagesprite.tint];
    std::uint32_t blitFlags = 0;
    CPalettizedImage* image =
        m_images[tint.image].GetDrawImage(SZ_CombineOrientation(flags, imagesprite.orientation), &blitFlags);
    if (image == nullptr) return;  // the variant is not loaded
    if (tint.palette < 0) {
        m_drawContext.DrawImage(image, blitFlags, x, y);
        return;
    }
    std::uint32_t* own = image->ExchangePalette(m_palettes[tint.palette].entries);
    m_drawContext.DrawImage(image, blitFlags, x, y);
    image->ExchangePalette(own);
}

void SZ_Home::BeginHitTest(std::int32_t x, std::int32_t y, std::uint8_t radius) {
    m_hitX = static_cast<std::int16_t>(x);
    m_hitY = static_cast<std::int16_t>(y);
    m_hitRadius = radius;
    m_hitResult = -1;
}

void SZ_Home::HitTestRect(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint16_t sprite,
                          bool boxesOnly) {
    if (boxesOnly && !IsInvisibleBox(sprite)) return;
    const std::int32_t r = m_hitRadius;
    if (m_hitX + r >= x && m_hitX - r < x + w && m_hitY + r >= y && m_hitY - r < y + h) {
        m_hitResult = static_cast<std::int16_t>(sprite);
    }
}

void SZ_Home::ResetBounds() {
    m_minX = m_minY = 32767;
    m_maxX = m_maxY = -32768;
    m_boundsAdded = false;
}

void SZ_Home::AddToBounds(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
    m_minX = std::min(m_minX, static_cast<std::int16_t>(x));
    m_minY = std::min(m_minY, static_cast<std::int16_t>(y));
    m_maxX = std::max(m_maxX, static_cast<std::int16_t>(x + w));
    m_maxY = std::max(m_maxY, static_cast<std::int16_t>(y + h));
    m_boundsAdded = true;
}

CRect SZ_Home::GetBounds() const {
    if (!m_boundsAdded) return CRect();
    return CRect(m_minX, m_minY, static_cast<std::int16_t>(m_maxX - m_minX),
                 static_cast<std::int16_t>(m_maxY - m_minY));
}

void SZ_Home::BeginFindRect(std::int32_t kind) {
    m_kindSought = kind;
    m_found = 0;
}

bool SZ_Home::FindRectAt(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint16_t sprite,
                         bool boxesOnly) {
    if (sprite < m_imagespriteCount || (boxesOnly && !IsInvisibleBox(sprite))) return false;
    if (m_rectsprites[sprite - m_imagespriteCount].kind != m_kindSought) return false;
    m_found = 1;
    m_foundRect = CRect(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), static_cast<std::int16_t>(w),
                        static_cast<std::int16_t>(h));
    return true;
}
