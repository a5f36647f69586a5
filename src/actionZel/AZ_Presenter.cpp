#include "src/actionZel/AZ_Presenter.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "platform/shared/core/Debug.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Hooks.h"
#include "src/actionZel/AZ_Manager.h"
#include "src/actionZel/cc/b_child.h"
#include "src/actionZel/cc/b_customCodeCallback.h"
#include "src/actionZel/cc/v_customCodeCallback.h"

namespace {

constexpr char kSourcePath[] = "..\\..\\src\\actionZel\\AZ_Presenter.cpp";
constexpr char kInvalidCodeId[] = "[ AZ ][ ERROR ] - AZ_Presenter Invalid behavior / visual type";
constexpr char kLookupCorrupted[] = "[ AZ ][ ERROR ] - AZ_Presenter : Accelerated Behavior Lookup table corrupted";
constexpr char kFragmentation[] = "[ AZ ][ ERROR ] - AZ_Presenter : Behavior memory fragmentation, examine code";

// Removes the n entries at `at`: the entries after them move down, up to
// the first free entry, and the n entries left behind become free.
void RemoveEntries(std::int8_t* codes, std::int16_t* slots, std::int32_t at, std::int32_t n) {
    std::int32_t end = at + n;
    while (end < AZ__MAX_BEHAVIOR && codes[end] != AZ_FREE_ENTRY) ++end;
    std::memmove(codes + at, codes + at + n, static_cast<std::size_t>(end - at - n));
    std::memmove(slots + at, slots + at + n, static_cast<std::size_t>(end - at - n) * sizeof *slots);
    std::memset(codes + end - n, AZ_FREE_ENTRY, static_cast<std::size_t>(n));
}

}  // namespace

AZ_Presenter* AZ_Presenter::getPresenter(std::int32_t id) {
    AZ_Presenter_Singleton* store = AZ_Presenter_Singleton::getInstance();
    if (store == nullptr || id < 0 || id >= store->m_poolSize) {
        AZ_LogError("[ AZ ][ ERROR ] - AZ_Presenter : Invalid Id in getPresenter");
        return nullptr;
    }
    return &store->m_presenters[id];
}

void AZ_Presenter::reset() {
    newCharacter();
    m_x = m_y = 0;
    m_updateEnabled = m_renderEnabled = m_facing = m_processed = m_rendered = m_frozen = 0;
    m_id = kNone;
    m_characterType = kNone;
    if (m_lookup == nullptr) return;  // not yet in the store
    std::fill(m_lookup, m_lookup + AZ_NUM_LOOKUP, static_cast<std::int16_t>(-1));
    *m_run = AZ_Run{0, 0};
}

std::int32_t AZ_Presenter::invalidCodeId() {
    AZ_LogError(kInvalidCodeId);
    return -1;
}

std::int32_t AZ_Presenter::getCodeSlot(std::int32_t codeId) const { return findCodeSlot(codeId); }

void AZ_Presenter::shiftLaterRuns(std::int32_t delta) {
    AZ_Presenter_Singleton* store = AZ_Presenter_Singleton::getInstance();
    for (AZ_Run* run = m_run + 1; run < store->m_runs + store->m_poolSize; ++run) {
        run->start = static_cast<std::int16_t>(run->start + delta);
        run->end = static_cast<std::int16_t>(run->end + delta);
    }
}

std::int32_t AZ_Presenter::attach(std::int32_t codeId) {
    if (codeId < 0 || codeId >= AZ_NUM_LOOKUP) return invalidCodeId();
    if (codeId == AZ_FIRST_INSTRUCTION) return -1;
    if (m_lookup[codeId] != -1) {
        AZ_Presenter_Singleton::setCodeSlotValue(m_lookup[codeId], 0);
        AZ_Presenter_Singleton::markInstance(m_lookup[codeId]);
        return m_lookup[codeId];
    }
    // The instance is found before the list is touched, so that an id
    // without a free instance leaves the run as it was.
    const std::int32_t slot = AZ_GetManager()->findFreeInstance(codeId);
    if (slot < 0) {
        AZ_CodeSlotMemory::accessError();  // the write of word 0 of no instance
        return -1;
    }

    AZ_Presenter_Singleton* store = AZ_Presenter_Singleton::getInstance();
    std::int8_t* codes = store->m_codeList;
    std::int16_t* slots = store->m_slotList;
    // The id's place in the sorted run; a free entry met first is reused.
    std::int32_t at = m_run->start;
    for (; at < m_run->end && codes[at] != AZ_FREE_ENTRY && codes[at] <= codeId; ++at) {
        if (codes[at] == codeId) {
            AZ_Presenter_Singleton::setCodeSlotValue(slots[at], 0);
            AZ_Fail(kLookupCorrupted, kSourcePath, __LINE__);
            return slots[at];
        }
    }
    const bool reused = at < m_run->end && codes[at] == AZ_FREE_ENTRY;  // a free entry inside the run
    if (at == AZ__MAX_BEHAVIOR || codes[at] != AZ_FREE_ENTRY) {
        // Make room: the entries up to the next free one move up by one.
        std::int32_t freeAt = at;
        while (freeAt < AZ__MAX_BEHAVIOR && codes[freeAt] != AZ_FREE_ENTRY) ++freeAt;
        if (freeAt == AZ__MAX_BEHAVIOR) {
            AZ_LogError("[ AZ ][ ERROR ] - AZ_Presenter : Out of space for behaviors, increase AZ__MAX_BEHAVIOR pool");
            return -1;
        }
        std::memmove(codes + at + 1, codes + at, static_cast<std::size_t>(freeAt - at));
        std::memmove(slots + at + 1, slots + at, static_cast<std::size_t>(freeAt - at) * sizeof *slots);
    }
    codes[at] = static_cast<std::int8_t>(codeId);
    slots[at] = static_cast<std::int16_t>(slot);
    if (!reused) {
        ++m_run->end;
        shiftLaterRuns(1);
    }
    AZ_Presenter_Singleton::setCodeSlotValue(slot, 0);
    AZ_Presenter_Singleton::markInstance(slot);
    m_lookup[codeId] = static_cast<std::int16_t>(slot);
    return slot;
}

void AZ_Presenter::detach(std::int32_t codeId) {
    if (codeId < 0 || codeId >= AZ_NUM_LOOKUP) {
        invalidCodeId();
        return;
    }
    const std::int32_t slot = m_lookup[codeId];
    if (codeId == AZ_FIRST_INSTRUCTION || slot == -1) return;
    m_lookup[codeId] = -1;

    AZ_Presenter_Singleton* store = AZ_Presenter_Singleton::getInstance();
    const std::int8_t* codes = store->m_codeList;
    std::int32_t at = m_run->start;
    for (; at < m_run->end && codes[at] != codeId; ++at) {
        if (codes[at] == AZ_FREE_ENTRY) AZ_Fail(kFragmentation, kSourcePath, __LINE__);
        if (codes[at] > codeId) break;
    }
    if (at == m_run->end || codes[at] != codeId) {
        AZ_Fail(kLookupCorrupted, kSourcePath, __LINE__);
        return;
    }
    RemoveEntries(store->m_codeList, store->m_slotList, at, 1);
    --m_run->end;
    shiftLaterRuns(-1);
    // The detach callback sees its instance free, its other words intact.
    AZ_Presenter_Singleton::setCodeSlotValue(slot, AZ_FREE);
    AZ_Presenter_Singleton::markInstance(slot);
    AZ_GetManager()->dispatch(AZ_MODE_DETACH, this, codeId, slot, 0, 0, AZ_ParamArray());
}

// The block of the kind leaves the list before any callback runs, so that
// callbacks re-entering the store find it in order.
void AZ_Presenter::detachAll(std::int32_t firstId, std::int32_t endId) {
    std::fill(m_lookup + firstId, m_lookup + endId, static_cast<std::int16_t>(-1));
    AZ_Presenter_Singleton* store = AZ_Presenter_Singleton::getInstance();
    const std::int8_t* codes = store->m_codeList;
    std::int32_t count = 0;
    for (std::int32_t at = m_run->start; at < m_run->end; ++at) {
        if (codes[at] == AZ_FREE_ENTRY) AZ_Fail(kFragmentation, kSourcePath, __LINE__);
        if (codes[at] >= firstId && codes[at] < endId) ++count;
    }
    if (count == 0) return;
    constexpr std::int32_t kMaxBlock = AZ_FIRST_INSTRUCTION;
    DebugAssert(count <= kMaxBlock, kSourcePath, __LINE__);
    const std::int32_t blockStart = firstId == 0 ? m_run->start : m_run->end - count;
    std::int8_t blockCodes[kMaxBlock];
    std::int16_t blockSlots[kMaxBlock];
    std::memcpy(blockCodes, codes + blockStart, static_cast<std::size_t>(count));
    std::memcpy(blockSlots, store->m_slotList + blockStart, static_cast<std::size_t>(count) * sizeof *blockSlots);
    RemoveEntries(store->m_codeList, store->m_slotList, blockStart, count);
    m_run->end = static_cast<std::int16_t>(m_run->end - count);
    shiftLaterRuns(-count);
    for (std::int32_t k = count - 1; k >= 0; --k) {
        AZ_Presenter_Singleton::setCodeSlotValue(blockSlots[k], AZ_FREE);
        AZ_Presenter_Singleton::markInstance(blockSlots[k]);
        AZ_GetManager()->dispatch(AZ_MODE_DETACH, this, blockCodes[k], blockSlots[k], 0, 0, AZ_ParamArray());
    }
}

void AZ_Presenter::release() {
    newCharacter();
    AZ_OnPresenterRelease(this);
    m_characterType = kNone;
    detachAllBehaviors();
    detachAllVisuals();
    m_updateEnabled = m_renderEnabled = m_facing = m_processed = m_rendered = m_frozen = 0;
}

void AZ_Presenter::process(AZ_Presenter* presenter, std::int32_t frameTime, ProcessKind kind) {
    if (presenter == nullptr || presenter->m_frozen != 0) return;
    if ((kind == kRender ? presenter->m_renderEnabled : presenter->m_updateEnabled) == 0) return;
    if (kind == kRender) {
        presenter->walkRun(frameTime, kind);
        presenter->m_rendered = 1;
        return;
    }
    // A behaviour may update another character at once (the loader updates
    // each character it places), whose parent may be this one: an update
    // that is running is not entered again. The flag goes with the
    // character: one that takes the presenter meanwhile starts without it.
    if (presenter->m_processed != 0 || presenter->m_updating != 0) return;
    presenter->m_updating = 1;
    const AZ_HeldCharacter character(presenter);
    presenter->updateParentsFirst(frameTime);
    if (character.held()) presenter->walkRun(frameTime, kind);
    if (!character.held()) return;
    presenter->m_updating = 0;
    presenter->m_processed = 1;
}

// Parent ids are presenter ids, which are reused, so a chain may come back
// to a presenter that waits on it; process does not enter that one again.
void AZ_Presenter::updateParentsFirst(std::int32_t frameTime) {
    const std::int32_t slot = m_lookup[2];
    if (slot == -1 || m_id >= AZ__MAX_PRESENTER) return;
    const std::int32_t parent = b_child_getParent(slot);
    std::int32_t first = -1;
    if (parent >= 0) {
        if (parent == m_id) {
            DebugPrintf("[ AZ ][ ERROR ] - Parent and child are the same for presenter %d with character id %d", m_id,
                        m_characterType);
            return;
        }
        first = parent;
    } else if (parent == -2 || parent == -3) {
        // Anchored to the view or the camera, which follow the user character.
        const AZ_Client* client = AZ_Client::getInstance();
        first = client != nullptr ? client->getUserCharacter() : -1;
    }
    if (first >= 0) process(getPresenter(first), frameTime, kUpdate);
}

// The bounds are read again after every callback, which may attach or
// detach codes of this presenter: the k-th step looks at run end - k. A
// callback that destroys the character ends the walk, also when another
// character takes the presenter at once.
void AZ_Presenter::walkRun(std::int32_t frameTime, ProcessKind kind) {
    AZ_Presenter_Singleton* store = AZ_Presenter_Singleton::getInstance();
    AZ_Manager* manager = AZ_GetManager();
    const bool updating = kind == kUpdate;
    const std::int32_t mode = updating ? AZ_MODE_UPDATE : AZ_MODE_RENDER;
    const AZ_HeldCharacter character(this);
    for (std::int32_t k = 1; character.held(); ++k) {
        const std::int32_t at = m_run->end - k;
        if (at < m_run->start) break;
        const std::int32_t code = store->m_codeList[at];
        if (code == AZ_FREE_ENTRY) break;
        if (updating ? code >= AZ_FIRST_VISUAL : code < AZ_FIRST_VISUAL) continue;
        const std::int32_t slot = store->m_slotList[at];
        const std::int32_t hook = m_lookup[updating ? 0 : AZ_FIRST_VISUAL];
        if (hook == -1) {
            manager->dispatch(mode, this, code, slot, frameTime, 0, AZ_ParamArray());
        } else if (updating) {
            const std::int32_t id = b_customCodeCallback_getCallbackId(hook);
            if (AZ_OnPreUpdate(this, id, code, slot, frameTime) == 1) {
                manager->dispatch(mode, this, code, slot, frameTime, 0, AZ_ParamArray());
            }
            AZ_OnPostUpdate(this, id, code, slot, frameTime);
        } else {
            const std::int32_t id = v_customCodeCallback_getCallbackId(hook);
            if (AZ_OnPreRender(this, id, code, slot) == 1) {
                manager->dispatch(mode, this, code, slot, 0, 0, AZ_ParamArray());
            }
            AZ_OnPostRender(this, id, code, slot);
        }
    }
}
