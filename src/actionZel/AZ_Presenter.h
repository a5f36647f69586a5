// Presenters, the shared attachment list and the code-slot memory.
//
// Every character is moved and drawn through a presenter: a position, a
// facing, a few flags and the run of behaviours and visuals attached to it.
// The store owns a fixed pool of presenters, one list of 600 attachments
// shared by all of them and the code-slot memory, in which every behaviour
// and visual instance keeps its words (0 status, then its script
// parameters, then its private state). Nothing is allocated after init.
//
// List invariants: each presenter owns one contiguous run [run start, run
// end) of the list; the runs follow the pool order without gaps and every
// free entry lies after the last run; a run is sorted by code id, so the
// behaviours come before the visuals; lookup[c] is the code-slot index of
// c's entry in the run, or -1.
#pragma once

#include <cstdint>

#include "src/actionZel/AZ_Defs.h"

// The code-slot memory: int32 words, each id's instances in its range.
// Beside each word lies its mark, which changes whenever the instance whose
// word 0 it is gets attached (also again in place) or detached, and for
// every word when the memory is filled.
class AZ_CodeSlotMemory {
public:
    // The words and marks are allocated here; when that fails the memory
    // has size 0.
    explicit AZ_CodeSlotMemory(std::int32_t words);
    ~AZ_CodeSlotMemory();

    AZ_CodeSlotMemory(const AZ_CodeSlotMemory&) = delete;
    AZ_CodeSlotMemory& operator=(const AZ_CodeSlotMemory&) = delete;

    std::int32_t getSize() const { return m_size; }
    // An index outside the memory logs the access error; the read gives 0
    // and the write is dropped.
    std::int32_t get(std::int32_t index) const {
        if (index < 0 || index >= m_size) return accessError();
        return m_words[index];
    }
    void set(std::int32_t index, std::int32_t value) {
        if (index < 0 || index >= m_size) {
            accessError();
            return;
        }
        m_words[index] = value;
    }
    void fill(std::int32_t value);
    // An index outside the memory has mark 0 and is not marked.
    std::uint32_t getMark(std::int32_t index) const { return index >= 0 && index < m_size ? m_marks[index] : 0; }
    void mark(std::int32_t index) {
        if (index >= 0 && index < m_size) m_marks[index] = ++m_lastMark;
    }

    // Logs "[ AZ ] [ ERROR ] - AZ_Presenter, access error"; returns 0.
    static std::int32_t accessError();

private:
    std::int32_t* m_words = nullptr;
    std::uint32_t* m_marks = nullptr;
    std::uint32_t m_lastMark = 0;
    std::int32_t m_size = 0;
};

// A presenter's run [start, end) in the attachment list.
struct AZ_Run {
    std::int16_t start;
    std::int16_t end;
};

class AZ_Presenter {
public:
    // Id and character type of a free presenter.
    static constexpr std::uint16_t kNone = 0xFFFF;

    AZ_Presenter() { reset(); }
    virtual ~AZ_Presenter() = default;

    AZ_Presenter(const AZ_Presenter&) = delete;
    AZ_Presenter& operator=(const AZ_Presenter&) = delete;

    // The presenter of pool index id; outside the pool logs and gives null.
    static AZ_Presenter* getPresenter(std::int32_t id);

    void reset();

    // Code-slot index of this presenter's instance of id 0-94, or -1. An id
    // outside 0-94 logs and gives -1.
    std::int32_t getCodeSlot(std::int32_t codeId) const;
    std::int32_t findCodeSlot(std::int32_t codeId) const {
        if (codeId < 0 || codeId >= AZ_NUM_LOOKUP) return invalidCodeId();
        return m_lookup[codeId];
    }

    // Takes an instance of the id (or sets the one it has running) and
    // inserts it into the run in id order. Returns its code-slot index, or
    // -1 (id 94, no free instance, a full list, an id outside 0-94). The
    // caller dispatches the attach mode, which loads the parameters.
    std::int32_t attach(std::int32_t codeId);
    // Removes the id from the run, frees its instance, then dispatches the
    // detach mode. An id the presenter does not hold changes nothing.
    void detach(std::int32_t codeId);
    // The same for a visual, as the instructions and units name it.
    void detachVisual(std::int32_t codeId) { detach(codeId); }
    // Detach every behaviour (ids 0-77) or every visual (78-93): the list
    // is put in order first, then the detach callbacks run from the highest
    // code id to the lowest.
    void detachAllBehaviors() { detachAll(0, AZ_FIRST_VISUAL); }
    void detachAllVisuals() { detachAll(AZ_FIRST_VISUAL, AZ_FIRST_INSTRUCTION); }
    // Frees the presenter (a character destroyed): type free, everything
    // detached, flags cleared. Id, x and y stay until the next allocate.
    void release();
    // Changes whenever the presenter is freed (released or reset) or handed
    // out: equal marks at two moments mean the same character.
    std::uint32_t getCharacterMark() const { return m_characterMark; }

    enum ProcessKind { kUpdate = 0, kRender = 1 };
    // Runs the presenter's behaviours (update) or draws its visuals
    // (render), walking its run from the end, so from the highest code id.
    // Skipped when frozen or when the kind is disabled; an update also
    // skips a presenter already processed in this frame, and first updates
    // its b_child parent (or, for the view's and camera's anchors, the
    // user-controlled character). A presenter whose update is running
    // (waiting on its parents or walking its behaviours) is not entered
    // again; the walk ends when its character is destroyed, and a character
    // that takes the presenter meanwhile is a new one, updated on its own.
    static void process(AZ_Presenter* presenter, std::int32_t frameTime, ProcessKind kind);
    static void update(AZ_Presenter* presenter, std::int32_t frameTime) { process(presenter, frameTime, kUpdate); }
    static void render(AZ_Presenter* presenter) { process(presenter, 0, kRender); }

    std::int32_t getX() const { return m_x; }
    void setX(std::int32_t x) { m_x = x; }
    std::int32_t getY() const { return m_y; }
    void setY(std::int32_t y) { m_y = y; }
    // Pool index; 0xFFFF after a reset.
    std::int32_t getId() const { return m_id; }
    // Character type of the script tables; 0xFFFF while the presenter is free.
    std::int32_t getCharacterType() const { return m_characterType; }
    void setCharacterType(std::int32_t type) { m_characterType = static_cast<std::uint16_t>(type); }
    // 0 right, 1 left.
    std::uint8_t getFacing() const { return m_facing; }
    void setFacing(std::uint8_t facing) { m_facing = facing; }

    bool isUpdateEnabled() const { return m_updateEnabled != 0; }
    void setUpdateEnabled(bool on) { m_updateEnabled = on ? 1 : 0; }
    bool isRenderEnabled() const { return m_renderEnabled != 0; }
    void setRenderEnabled(bool on) { m_renderEnabled = on ? 1 : 0; }
    bool isProcessed() const { return m_processed != 0; }
    void setProcessed(bool on) { m_processed = on ? 1 : 0; }
    bool isRendered() const { return m_rendered != 0; }
    void setRendered(bool on) { m_rendered = on ? 1 : 0; }
    bool isFrozen() const { return m_frozen != 0; }
    void setFrozen(bool on) { m_frozen = on ? 1 : 0; }

    // This presenter's run in the attachment list.
    std::int32_t getRunStart() const { return m_run->start; }
    std::int32_t getRunEnd() const { return m_run->end; }

private:
    friend class AZ_Presenter_Singleton;

    static std::int32_t invalidCodeId();
    void updateParentsFirst(std::int32_t frameTime);
    void walkRun(std::int32_t frameTime, ProcessKind kind);
    void detachAll(std::int32_t firstId, std::int32_t endId);
    // Moves the runs of every presenter after this one by delta entries.
    void shiftLaterRuns(std::int32_t delta);
    // The presenter becomes free or another character's.
    void newCharacter() {
        ++m_characterMark;
        m_updating = 0;
    }

    std::int32_t m_x;
    std::int32_t m_y;
    // The lookup (AZ_NUM_LOOKUP entries) and the run are held by the store,
    // side by side with the other presenters', so that moving the later runs
    // is one pass over a small array.
    std::int16_t* m_lookup = nullptr;
    AZ_Run* m_run = nullptr;
    std::uint16_t m_id;
    std::uint16_t m_characterType;
    std::uint8_t m_updateEnabled;
    std::uint8_t m_renderEnabled;
    std::uint8_t m_facing;
    std::uint8_t m_processed;
    std::uint8_t m_rendered;
    std::uint8_t m_frozen;
    std::uint8_t m_updating = 0;
    std::uint32_t m_characterMark = 0;
};

class AZ_Presenter_Singleton {
public:
    // Sizes the code-slot memory from the manager, which must exist.
    AZ_Presenter_Singleton();
    virtual ~AZ_Presenter_Singleton();

    AZ_Presenter_Singleton(const AZ_Presenter_Singleton&) = delete;
    AZ_Presenter_Singleton& operator=(const AZ_Presenter_Singleton&) = delete;

    static AZ_Presenter_Singleton* getInstance() { return s_instance; }

    // Creates count (at most 150) presenters, then resets. False when the
    // presenters or the code-slot memory could not be allocated.
    bool init(std::int32_t count);
    // Every presenter, list entry and code-slot word back to free; runs no
    // callback.
    void reset();
    // Deletes the presenters; pool size 0.
    void release();

    // Character types 0..count-1 are valid for createPresenter and allocate;
    // init takes the count from the engine's script tables when there are.
    void setNumCharacterTypes(std::int32_t count) { m_numCharacterTypes = count; }
    // The free presenter with the lowest pool index, set up at (x, y); null
    // when the type is invalid (logged) or every presenter is in use.
    AZ_Presenter* createPresenter(std::int32_t type, std::int32_t x, std::int32_t y);
    AZ_Presenter* allocate(std::int32_t x, std::int32_t y, std::int32_t type);

    // One word of the code-slot memory; outside 0..size-1 logs the access
    // error (and reads 0).
    static std::int32_t getCodeSlotValue(std::int32_t index) {
        return s_instance != nullptr ? s_instance->m_memory.get(index) : AZ_CodeSlotMemory::accessError();
    }
    static void setCodeSlotValue(std::int32_t index, std::int32_t value) {
        if (s_instance != nullptr) {
            s_instance->m_memory.set(index, value);
        } else {
            AZ_CodeSlotMemory::accessError();
        }
    }

    // The mark of the instance at codeSlot (see AZ_CodeSlotMemory); 0
    // without a store.
    static std::uint32_t getAttachMark(std::int32_t codeSlot) {
        return s_instance != nullptr ? s_instance->m_memory.getMark(codeSlot) : 0;
    }

    std::int32_t getPoolSize() const { return m_poolSize; }
    std::int32_t getHighWaterMark() const { return m_highWaterMark; }
    // The attachment list: code id of each entry (AZ_FREE_ENTRY when free)
    // and the code-slot index of its instance.
    std::int8_t* getCodeList() { return m_codeList; }
    std::int16_t* getSlotList() { return m_slotList; }

private:
    friend class AZ_Presenter;

    static void markInstance(std::int32_t codeSlot) {
        if (s_instance != nullptr) s_instance->m_memory.mark(codeSlot);
    }

    static AZ_Presenter_Singleton* s_instance;

    std::int16_t m_lookups[AZ__MAX_PRESENTER][AZ_NUM_LOOKUP] = {};
    AZ_Run m_runs[AZ__MAX_PRESENTER] = {};
    std::int8_t m_codeList[AZ__MAX_BEHAVIOR] = {};
    std::int16_t m_slotList[AZ__MAX_BEHAVIOR] = {};
    AZ_CodeSlotMemory m_memory;
    AZ_Presenter* m_presenters = nullptr;
    std::int32_t m_poolSize = 0;
    std::int32_t m_highWaterMark = 0;
    std::int32_t m_numCharacterTypes = 0;
};

// An instance as a unit holds it while it raises an event. The handler
// runs at once and may detach the unit, destroy its character or attach
// the unit again (which starts it afresh); held() tells whether the
// instance is still the very attachment it was when this was made. Only
// then may the unit write its own words again. Holding the instance
// implies holding its character: a destroyed character's units are
// detached.
class AZ_HeldInstance {
public:
    explicit AZ_HeldInstance(std::int32_t codeSlot)
        : m_codeSlot(codeSlot), m_mark(AZ_Presenter_Singleton::getAttachMark(codeSlot)) {}
    bool held() const { return AZ_Presenter_Singleton::getAttachMark(m_codeSlot) == m_mark; }

private:
    std::int32_t m_codeSlot;
    std::uint32_t m_mark;
};

// A character as code that raises an event holds it: held() tells whether
// the presenter is still that character (not destroyed, and not handed to
// another). Only then may the code write the character, or raise further
// events on it. A presenter that getPresenter refused (null) is never
// held, with id -1.
class AZ_HeldCharacter {
public:
    explicit AZ_HeldCharacter(const AZ_Presenter* presenter)
        : m_presenter(presenter), m_mark(presenter != nullptr ? presenter->getCharacterMark() : 0) {}
    bool held() const { return m_presenter != nullptr && m_presenter->getCharacterMark() == m_mark; }
    std::int32_t getId() const { return m_presenter != nullptr ? m_presenter->getId() : -1; }

private:
    const AZ_Presenter* m_presenter;
    std::uint32_t m_mark;
};
