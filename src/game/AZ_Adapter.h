// The game side of the engine: the levels of this game, loading a level's
// tileset, tile map and entity list (all at once or one step per frame),
// drawing the map's layers, the tile sweeps and queries the behaviours move
// by, and the engine's random numbers; and what the scripts take from the
// application: texts laid out and drawn by a pool of text widgets, sounds,
// vibration, the options and the saved progress. There is one adapter,
// owned by AZ_Client and reached through its getter.
#pragma once

#include <cstdint>

#include "platform/shared/core/CRandGen.h"
#include "src/game/AZ_Map.h"

class AZ_AdapterServices;
class CBinRes;
class CImage;
class CTextWidget;

// Script level of each level number, by the saved game's character: the
// second character plays levels 0 and 1 in the other order.
constexpr std::int32_t AZ_LevelTable[2][16] = {
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},
    {1, 0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},
};
// By script level: 1 raises the intro event 386, anything else 387.
constexpr std::int32_t AZ_LevelIntroTable[16] = {0, 1, 1, 0, 1, 1, 0, 1, 0, 0, 1, 0, 1, 0, 1, 0};

// Resource ids of a level's parts, by their numbers.
constexpr std::uint32_t AZ_TILESET_RESOURCE = 0x02000100;
constexpr std::uint32_t AZ_MAP_RESOURCE = 0x03000103;
constexpr std::uint32_t AZ_ENTITY_LIST_RESOURCE = 0x0300022F;

// Script string n is the text resource AZ_FIRST_STRING + n; the number
// format of drawNumber is its own text resource.
constexpr std::uint32_t AZ_FIRST_STRING = 0x21FF0169;
constexpr std::uint32_t AZ_NUMBER_FORMAT = 0x21FF0168;
constexpr std::int32_t AZ_TEXT_POOL_SIZE = 30;
// The scripts' sounds 1 to 11.
constexpr std::int32_t AZ_SOUND_COUNT = 11;
constexpr std::uint32_t AZ_SoundTable[AZ_SOUND_COUNT] = {0x09000224, 0x09000225, 0x09000226, 0x09000227,
                                                          0x09000228, 0x09000229, 0x0900022A, 0x0900022B,
                                                          0x0900022C, 0x0900022D, 0x0900022E};

// What the last blocking tile found was: its column and row (the sweeps
// then replace the column by the corrected x, or the row by the corrected
// y), the span table index of its span and its collision byte.
struct AZ_TileHit {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t span = 0;
    std::int32_t collision = 0;
};

class AZ_Adapter {
public:
    // Makes the text pool's widgets (the render surface must exist).
    AZ_Adapter();
    // Frees the map and the tileset it still holds, the texts and sounds it
    // holds and the text pool.
    virtual ~AZ_Adapter();

    AZ_Adapter(const AZ_Adapter&) = delete;
    AZ_Adapter& operator=(const AZ_Adapter&) = delete;

    // Where level resources and the saved character come from; not owned.
    // Without services every resource is missing and the saved character
    // is 0. Texts, fonts, sounds, options and saves come from the
    // application's managers.
    void setServices(AZ_AdapterServices* services) { m_services = services; }
    AZ_AdapterServices* getServices() const { return m_services; }

    // Starts level 0-15 (another is refused with a line): unloads the
    // current one, makes sure a controller (type 0) is there and raises on
    // it 287, the intro event (386 or 387) and 261 + the script level.
    void startLevel(std::int32_t level);
    // Releases the pool's texts and the sounds played, forgets the camera,
    // every character and presenter; keeps the map and the tileset.
    void unloadLevel();
    void retryCurrentLevel();
    // Leaves the game: only after a start, frees map and tileset too.
    void releaseLevel();
    // Tileset (unless its number is the loaded one), map with the camera's
    // set-up, then the entity list, at once. A missing part is logged and
    // the level goes on without it.
    void loadLevel(std::int32_t entities, std::int32_t map, std::int32_t tileset);
    // Asks for the stepwise load: step 0, loaded flag clear.
    void setPendingLevel(std::int32_t entities, std::int32_t map, std::int32_t tileset);
    // One step of the stepwise load; the fourth call completes it.
    void loadLevelStep();
    std::int32_t getLoadStep() const { return m_loadStep; }
    bool isLevelLoaded() const { return m_loaded != 0; }
    bool isLevelStarted() const { return m_started != 0; }

    std::int32_t getCurrentLevel() const { return m_currentLevel; }
    std::int32_t getSelectedLevel() const { return m_selectedLevel; }
    void setSelectedLevel(std::int32_t level) { m_selectedLevel = level; }
    // Presenter ids of the camera's character and of the one taking keys.
    std::int32_t getUserCharacter() const { return m_userCharacter; }
    void setUserCharacter(std::int32_t presenterId) { m_userCharacter = presenterId; }
    std::int32_t getKeyCharacter() const { return m_keyCharacter; }
    void setKeyCharacter(std::int32_t presenterId) { m_keyCharacter = presenterId; }
    // The player character chosen in the menus (0 or 1), stored with the
    // progress by saveProgress.
    void setSelectedCharacter(std::int32_t character) { m_selectedCharacter = character; }

    // The text pool. acquireText binds the string to the first slot that is
    // free or holds it already (a full pool logs and binds nothing);
    // releaseText frees the first slot holding it. Strings 12, 30, 60, 70,
    // 146, 172 and 176 show device.conf's text when it gives one.
    void acquireText(std::int32_t id);
    void releaseText(std::int32_t id);
    // Lays the bound string out in the font at the width: 1 when it fits
    // into the height from the first line on (or is not bound), else 0.
    std::int32_t layoutText(std::int32_t font, std::int32_t id, std::int32_t firstLine, std::int32_t width,
                            std::int32_t height);
    // Draws the bound string from the first line in the rectangle with the
    // alignment a | b (widget flags); with a number other than -1 the
    // string is the format of that number (a string whose conversions are
    // not one integer shows as it stands). Three arguments have no effect.
    void drawTextBox(std::int32_t unused, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                     std::int32_t font, std::int32_t id, std::int32_t firstLine, std::int32_t alignA,
                     std::int32_t alignB, std::int32_t unused2, std::int32_t unused3, std::int32_t number);
    std::int32_t getFontHeight(std::int32_t font);
    // The number in the number format, font 2, its bottom right at (x, y).
    void drawNumber(std::int32_t unused, std::int32_t number, std::int32_t x, std::int32_t y);

    // Sounds 1 to 11 (AZ_SoundTable), played once: the player's id, 0 when
    // sound is off, -1 for another number or a missing resource. A sound
    // played is held, once, until the level unloads.
    std::int32_t playSound(std::int32_t n);
    // Id 0: any.
    bool isSoundPlaying(std::int32_t id);
    void stopSound(std::int32_t id);
    void stopAllSounds() { stopSound(0); }
    std::int32_t vibrate(std::int32_t durationMs);
    bool isVibrating(std::int32_t id);
    void stopVibration(std::int32_t id);
    void stopAllVibration() { stopVibration(0); }

    // Options; the setters apply the choice to the media player and save.
    bool isSoundOn();
    bool isVibrationOn();
    void setSoundOn(bool on);
    void setVibrationOn(bool on);

    // Saved progress; the setters save at once.
    bool hasSavedGame();
    void setSavedGame(bool started);
    std::int32_t getUnlockedLevel();
    std::int32_t getSelectedCharacter();
    // Marks the game started, raises the level reached to the level, stores
    // the selected character and saves.
    void saveProgress(std::int32_t level);
    void resetSaveData();

    // lo + a random value modulo (hi + 1 - lo), computed on 32 bits; an
    // empty range (hi + 1 - lo wrapping to 0) gives lo.
    std::int32_t randomRange(std::int32_t lo, std::int32_t hi);
    CRandGen& getRandom() { return m_random; }

    // The tileset strip: the image of the resource, owned, and its id.
    void loadTileset(std::uint32_t imageId);
    void freeTileset();
    CImage* getTileset() const { return m_tileset; }
    std::int32_t getTilesetNumber() const { return m_tilesetNumber; }

    AZ_Map& getMap() { return m_map; }
    const AZ_Map& getMap() const { return m_map; }
    void freeMap() { m_map.clear(); }

    // Draws rows x columns tiles of the layer from (first column, first row)
    // with the top-left tile at back-buffer pixel (x, y). A tile column
    // outside the tileset is logged and skipped.
    void drawTileLayer(std::int32_t layer, std::int32_t x, std::int32_t y, std::int32_t firstColumn,
                       std::int32_t firstRow, std::int32_t columns, std::int32_t rows);

    // Scans the tiles of the rows, each from col0 to col1, for one whose
    // collision byte holds every bit of the mask. 1 on a hit, recorded as
    // the last hit with its span's index in the span table. The span hint,
    // where a caller's last hit was, may be any value: the scan finds its
    // spans itself. A layer the map does not have never blocks.
    std::int32_t findBlockingTile(std::int32_t layer, std::int32_t spanHint, std::int32_t col0, std::int32_t row0,
                                  std::int32_t col1, std::int32_t row1, std::int32_t mask);
    // The box (x its horizontal centre, y its bottom, w x h, world units)
    // moving to target x or y: 1 when a tile blocks it, with the corrected x
    // or y in the last hit. Layer -1 is the camera's active layer; none
    // gives 0. Moving up, the rows are scanned from the box's top row up to
    // the target top row, nearest first.
    std::int32_t sweepTilesX(std::int32_t layer, std::int32_t spanHint, std::int32_t x, std::int32_t y, std::int32_t w,
                             std::int32_t h, std::int32_t targetX);
    std::int32_t sweepTilesY(std::int32_t layer, std::int32_t spanHint, std::int32_t x, std::int32_t y, std::int32_t w,
                             std::int32_t h, std::int32_t targetY);
    // Both sweeps of one box; 1 when either hits.
    std::int32_t sweepTiles(std::int32_t layer, std::int32_t spanHint, std::int32_t x, std::int32_t y, std::int32_t w,
                            std::int32_t h, std::int32_t targetX, std::int32_t targetY);
    // The vertical sweep on the active layer.
    std::int32_t testMapCollision(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t targetY);
    // Whether the tile at (x >> 10, (y + 512) >> 10) collides and ends its
    // run of colliding tiles on the left (left set) or right side.
    std::int32_t isTileEdge(std::int32_t layer, std::int32_t spanHint, std::int32_t x, std::int32_t y,
                            std::int32_t left);
    std::int32_t getCollisionX() const { return m_lastHit.x; }
    std::int32_t getCollisionY() const { return m_lastHit.y; }
    const AZ_TileHit& getLastHit() const { return m_lastHit; }

    // The map's size in world units; (v << 10) / 24, truncating.
    std::int32_t getMapWidth() const { return pixelToWorld(m_map.pixelWidth); }
    std::int32_t getMapHeight() const { return pixelToWorld(m_map.pixelHeight); }
    static std::int32_t pixelToWorld(std::int32_t v);

private:
    // Parses the map resource and sets the camera up for it.
    void loadMapAndCamera(std::uint32_t mapId);
    // The tileset of the number, unless it is the loaded one.
    void loadTilesetNumber(std::int32_t number);
    // Layer -1 as the active layer; -1 when there is none.
    static std::int32_t resolveLayer(std::int32_t layer);
    void drawTile(std::uint8_t columnByte, std::int32_t x, std::int32_t y, bool mirror);
    // The slot bound to the string, or -1.
    std::int32_t findText(std::int32_t id) const;
    // The slot's widget with the font and its string's text (device.conf's
    // or the resource's); null when the string is not bound.
    CTextWidget* prepareText(std::int32_t font, std::int32_t id);
    void releaseTexts();
    // Stops the sounds played and gives their resources back.
    void releaseSounds();

    AZ_AdapterServices* m_services = nullptr;
    CRandGen m_random;
    std::int32_t m_currentLevel = -1;
    std::int32_t m_tilesetNumber = -1;
    std::int32_t m_userCharacter = 0;
    std::int32_t m_keyCharacter = 0;
    std::int32_t m_selectedCharacter = 0;
    std::int32_t m_selectedLevel = 0;
    std::int32_t m_loadStep = 0;
    AZ_Map m_map;
    CImage* m_tileset = nullptr;
    std::uint32_t m_tilesetId = 0;
    AZ_TileHit m_lastHit;
    std::int32_t m_requestedEntities = -1;
    std::int32_t m_requestedMap = -1;
    std::int32_t m_requestedTileset = -1;
    std::uint8_t m_loaded = 0;
    std::uint8_t m_started = 0;
    CTextWidget* m_textPool[AZ_TEXT_POOL_SIZE] = {};
    std::int32_t m_textIds[AZ_TEXT_POOL_SIZE];
    const char16_t* m_texts[AZ_TEXT_POOL_SIZE] = {};
    char16_t m_formatBuffer[256] = {};
    const char16_t* m_numberFormat = nullptr;
    CBinRes* m_sounds[AZ_SOUND_COUNT] = {};
};
