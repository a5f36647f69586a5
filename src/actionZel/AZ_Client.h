// The runtime of the action engine. It keeps the table of active
// characters (a character is a presenter running a script state machine),
// each with a stack of states and a table of state overrides, and delivers
// script events to them: the first state of the stack, from the top, that
// lists the event runs the event's calls (attach behaviours and visuals,
// run instructions). Character types inherit through overrides: a derived
// state replaces its base state, and an event the derived state does not
// list falls back to the base. Once a frame it runs every presenter's
// behaviours, builds the draw order and draws the characters by priority.
//
// Nothing is allocated after construction except the per-type table.
#pragma once

#include <cstdint>

#include "src/actionZel/AZ_Data.h"
#include "src/actionZel/AZ_Defs.h"
#include "src/actionZel/AZ_KeyManager.h"
#include "src/actionZel/AZ_Manager.h"
#include "src/actionZel/SZ_Pool.h"
#include "src/game/AZ_Adapter.h"
#include "src/game/Camera.h"

class AZ_Presenter;

// Rows of the active table; one of them is never used.
constexpr std::int32_t AZ__MAX_ACTIVE_CHARACTERS = 65;
constexpr std::int32_t AZ_MAX_ACTIVE = AZ__MAX_ACTIVE_CHARACTERS - 1;
constexpr std::int32_t AZ_STATE_STACK_DEPTH = 13;
constexpr std::int32_t AZ_MAX_OVERRIDES = 16;
// Script events: entering and leaving a state.
constexpr std::int32_t AZ_EVENT_ENTER = 162;
constexpr std::int32_t AZ_EVENT_EXIT = 163;

struct AZ_CharacterRecord {
    std::int16_t type;
    std::int16_t presenter;
    std::int16_t handlerDepth;  // stack index of the state whose handler runs
    std::int16_t stack[AZ_STATE_STACK_DEPTH];  // 0 the top; -1 after the last
};

// Pair i is (base[i], derived[i]); the used pairs come first, free ones -1.
struct AZ_StateOverrideTable {
    std::int16_t base[AZ_MAX_OVERRIDES];
    std::int16_t derived[AZ_MAX_OVERRIDES];
};

class AZ_Client {
public:
    // Creates the manager (made the engine's one), the key manager, the
    // script tables, loaded from the script resource's payload, which must
    // outlive the client, the sprite pool, the camera (which needs the
    // render surface) and the adapter.
    // A script that is refused leaves no character types.
    AZ_Client(const std::uint8_t* script, std::uint32_t size);
    ~AZ_Client();

    AZ_Client(const AZ_Client&) = delete;
    AZ_Client& operator=(const AZ_Client&) = delete;

    static AZ_Client* getInstance() { return s_instance; }
    AZ_Manager* getManager() { return &m_manager; }
    AZ_KeyManager* getKeyManager() { return &m_keyManager; }
    SZ_Pool* getSpritePool() { return &m_pool; }
    const AZ_Data* getData() const { return &m_data; }
    Camera* getCamera() { return &m_camera; }
    AZ_Adapter* getAdapter() { return &m_adapter; }

    // Forgets every character at once, without exit events or detach
    // callbacks, and frees every sprite of the pool; no interrupt.
    void reset();

    // Makes the presenter a character of its type: a row, the base types'
    // initial states overridden by the derived ones, the initial state on
    // the stack, entered with event 162. Returns the character's row after
    // the enter event (-1 when it is gone, even when another character took
    // the presenter meanwhile), or -1 when refused: an invalid
    // presenter or type, or 64 characters already active (the presenter is
    // then released).
    std::int32_t spawnCharacter(AZ_Presenter* presenter);
    // Removes the row, then releases its presenter. -1 does nothing.
    void destroyCharacter(std::int32_t row);
    // Removes the row only: the presenter keeps its attachments (and is
    // still updated) but gets no events and is not drawn. -1 does nothing.
    void releaseRow(std::int32_t row);
    // The character's type and its presenter's; an invalid type is refused.
    void changeCharacterType(std::int32_t row, std::int32_t type);

    std::int32_t getNumActive() const { return m_numActive; }
    // Row of a presenter id, or -1.
    std::int32_t getActiveIndex(std::int32_t presenterId) const;
    // Presenter id and type of a row (-1 for a row not in use).
    std::int32_t getPresenterOfRow(std::int32_t row) const;
    std::int32_t getCharacterType(std::int32_t row) const;
    // First row (after `row`) whose type is the type or derives from it, or
    // -1. A type outside the script gives -1.
    std::int32_t findCharacterByType(std::int32_t type) const;
    std::int32_t findNextCharacterByType(std::int32_t type, std::int32_t row) const;
    // Live characters of the type or of types derived from it: -1 none,
    // a presenter id for exactly one, -(n + 1) for n >= 2.
    std::int32_t getSingletonEntry(std::int32_t type) const;

    // Offers the event to the row's states from the top down; the first
    // that handles it wins. Row -1 does nothing.
    void raiseEvent(std::int32_t row, std::int32_t eventId);
    void sendEvent(std::int32_t presenterId, std::int32_t eventId);
    // Runs the state's calls for the event; false when the state does not
    // list it (a state outside the script lists nothing).
    bool runHandler(std::int32_t row, std::int32_t state, std::int32_t eventId);

    // Stack entry `depth` of a row (0 the top), -1 when empty.
    std::int32_t getState(std::int32_t row, std::int32_t depth) const;
    std::int32_t getTopState(std::int32_t row) const { return getState(row, 0); }
    // The state, resolved through the row's overrides, becomes the top.
    void setTopState(std::int32_t row, std::int32_t state);
    // Pushes the resolved state; on a full stack the bottom state is lost.
    void pushState(std::int32_t row, std::int32_t state);
    // Removes the top; returns it, or -1 when the stack is now empty (or
    // was already).
    std::int32_t popState(std::int32_t row);
    // Enter event to the top state (falling back along the overrides).
    void enterState(std::int32_t row);
    // Exit event to the top state and to every base state along its
    // override chain; returns the last state of the chain.
    std::int32_t exitState(std::int32_t row);
    std::int32_t getHandlerDepth(std::int32_t row) const;
    void setHandlerDepth(std::int32_t row, std::int32_t depth);
    // The derived state replaces the base state on the presenter's
    // character, at once on its stack and in every later resolution.
    void overrideState(std::int32_t presenterId, std::int32_t base, std::int32_t derived);
    // Drops the override of the base; the stack keeps what it holds.
    void unOverrideState(std::int32_t presenterId, std::int32_t base);
    // Derived state of a row's override pair i, and its base (-1 free).
    std::int32_t getOverrideBase(std::int32_t row, std::int32_t pair) const;
    std::int32_t getOverrideDerived(std::int32_t row, std::int32_t pair) const;

    // One frame: every presenter's behaviours (parents first), then the
    // draw order. While interrupted nothing moves.
    void update(std::int32_t frameTime);
    // Draws the characters whose priority lies in [min, max], in the draw
    // order; while interrupted fills the view with black instead.
    void render(std::int32_t minPriority, std::int32_t maxPriority);
    // The rows in drawing order: highest priority first, ties in row order.
    std::int32_t getDrawOrderCount() const { return m_drawCount; }
    std::int32_t getDrawOrderEntry(std::int32_t position) const;
    // A row's priority as the last update read it (a signed byte).
    std::int32_t getDrawPriority(std::int32_t row) const;

    // 1 asks the game screen its question, 3 ends the level, 4 returns to
    // the menu; the next update posts the event and holds the world (2).
    void setInterrupt(std::int32_t code) { m_interrupt = code; }
    std::int32_t getInterrupt() const { return m_interrupt; }
    // Presenter id of the user-controlled character.
    std::int32_t getUserCharacter() const { return m_adapter.getUserCharacter(); }

    // The view the characters are drawn in, in back-buffer pixels (0 while
    // there is no render surface).
    static std::int32_t getViewWidth();
    static std::int32_t getViewHeight();

private:
    bool isRow(std::int32_t row) const;
    bool checkRow(std::int32_t row) const;
    AZ_Presenter* presenterOf(std::int32_t row) const;
    void removeRow(std::int32_t row);
    void countType(std::int32_t type, std::int32_t presenterId);
    void uncountType(std::int32_t type, std::int32_t skipRow);
    std::int32_t resolve(std::int32_t row, std::int32_t state) const;
    // The base state that `state` overrides on the row, or -1.
    std::int32_t baseOf(std::int32_t row, std::int32_t state) const;
    bool handleInState(std::int32_t row, std::int32_t state, std::int32_t eventId);
    void buildDrawOrder();

    static AZ_Client* s_instance;

    AZ_CharacterRecord m_rows[AZ__MAX_ACTIVE_CHARACTERS];
    AZ_StateOverrideTable m_overrides[AZ__MAX_ACTIVE_CHARACTERS];
    std::int32_t m_numActive = 0;
    std::uint8_t m_drawOrder[AZ__MAX_ACTIVE_CHARACTERS];
    std::int8_t m_drawPriority[AZ__MAX_ACTIVE_CHARACTERS];
    std::int32_t m_drawCount = 0;
    std::int16_t m_presenterRows[AZ__MAX_PRESENTER];
    std::int16_t* m_singletons = nullptr;
    std::int32_t m_interrupt = -1;
    std::int32_t m_handlerNesting = 0;
    bool m_nestingExceeded = false;
    AZ_Manager m_manager;
    AZ_KeyManager m_keyManager;
    AZ_Data m_data;
    SZ_Pool m_pool;
    Camera m_camera;
    AZ_Adapter m_adapter;
};

// The render surface's size; false, and (0, 0), without one.
bool AZ_GetSurfaceSize(std::int32_t* width, std::int32_t* height);

// A length on the 240 x 320 reference screen, scaled to the view.
std::int32_t AZ_ScaleX(std::int32_t length);
std::int32_t AZ_ScaleY(std::int32_t length);
