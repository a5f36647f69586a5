#include "src/actionZel/AZ_Client.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "src/actionZel/AZ_Hooks.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/cc/b_drawable.h"

namespace {

constexpr char kSourcePath[] = "..\\..\\src\\actionZel\\AZ_Client.cpp";
constexpr char kInvalidCharacter[] = "[ AZ ][ ERROR ] - AZ_Client Invalid character Id";
constexpr char kInvalidState[] = "[ AZ ][ ERROR ] - AZ_Client Invalid state Id";
constexpr char kInvalidPresenter[] = "[ AZ ][ ERROR ] - AZ_Presenter Invalid az presenter Id";
constexpr char kOverrideCycle[] = "[ AZ ][ ERROR ] - AZ_Client : State overrides form a cycle, examine script";

// Longest override chain a character can hold without a cycle.
constexpr std::int32_t kMaxChainSteps = AZ_MAX_OVERRIDES;
// Handlers running inside one another at most: a script whose handlers
// raise their own events again would otherwise recurse without end.
constexpr std::int32_t kMaxNestedHandlers = 64;
// Priorities at or below this keep a character out of the draw order.
constexpr std::int32_t kNeverDrawn = -100;
constexpr std::int32_t kNoDrawable = 100;

}  // namespace

AZ_Client* AZ_Client::s_instance = nullptr;

AZ_Client::AZ_Client(const std::uint8_t* script, std::uint32_t size) {
    s_instance = this;
    AZ_SetManager(&m_manager);
    if (m_data.load(script, size) && m_data.getNumCharacters() > 0) {
        m_singletons = new (std::nothrow) std::int16_t[static_cast<std::size_t>(m_data.getNumCharacters())];
        if (m_singletons == nullptr) m_data.unload();
    }
    reset();
}

AZ_Client::~AZ_Client() {
    m_data.unload();
    delete[] m_singletons;
    if (AZ_GetManager() == &m_manager) AZ_SetManager(nullptr);
    if (s_instance == this) s_instance = nullptr;
}

void AZ_Client::reset() {
    std::memset(m_rows, 0xFF, sizeof m_rows);
    std::memset(m_overrides, 0xFF, sizeof m_overrides);
    std::memset(m_drawOrder, 0, sizeof m_drawOrder);
    std::memset(m_drawPriority, 0, sizeof m_drawPriority);
    m_drawCount = 0;
    std::fill(std::begin(m_presenterRows), std::end(m_presenterRows), static_cast<std::int16_t>(-1));
    std::fill(m_singletons, m_singletons + (m_singletons != nullptr ? m_data.getNumCharacters() : 0),
              static_cast<std::int16_t>(-1));
    m_pool.releaseAll();
    m_interrupt = -1;
    m_numActive = 0;
}

bool AZ_Client::isRow(std::int32_t row) const { return row >= 0 && row < m_numActive; }

bool AZ_Client::checkRow(std::int32_t row) const {
    if (isRow(row)) return true;
    AZ_LogError(kInvalidCharacter);
    return false;
}

AZ_Presenter* AZ_Client::presenterOf(std::int32_t row) const {
    return AZ_Presenter::getPresenter(m_rows[row].presenter);
}

std::int32_t AZ_Client::spawnCharacter(AZ_Presenter* presenter) {
    if (presenter == nullptr) {
        AZ_LogError(kInvalidPresenter);
        return -1;
    }
    AZ_OnSpawnBegin(presenter);
    const std::int32_t type = presenter->getCharacterType();
    if (!m_data.isValidCharacter(type)) {
        AZ_LogError(kInvalidCharacter);
        return -1;
    }
    if (m_numActive >= AZ_MAX_ACTIVE) {
        AZ_LogError("[ AZ ] [ ERROR ] : AZ_Client - Out of pool space for active entities on the screen, increase "
                    "AZ__MAX_ACTIVE_CHARACTERS");
        presenter->release();
        return -1;
    }
    const std::int32_t id = presenter->getId();
    const AZ_HeldCharacter character(presenter);
    const std::int32_t row = m_numActive++;
    AZ_CharacterRecord& record = m_rows[row];
    record.type = static_cast<std::int16_t>(type);
    record.presenter = static_cast<std::int16_t>(id);
    record.handlerDepth = 0;
    m_presenterRows[id] = static_cast<std::int16_t>(row);
    countType(type, id);
    // Each ancestor's initial state gives way to its child's.
    for (std::int32_t t = type, base; (base = m_data.getBaseChar(t)) != -1; t = base) {
        overrideState(id, m_data.getInitialState(base), m_data.getInitialState(t));
    }
    setTopState(row, m_data.getInitialState(type));
    raiseEvent(row, AZ_EVENT_ENTER);
    AZ_OnSpawnEnd(presenter);
    return character.held() ? getActiveIndex(id) : -1;
}

void AZ_Client::removeRow(std::int32_t row) {
    AZ_Presenter* presenter = presenterOf(row);
    AZ_OnRowRemoveBegin(presenter);
    const std::int32_t type = m_rows[row].type;
    m_presenterRows[m_rows[row].presenter] = -1;
    for (std::int32_t r = row; r + 1 < m_numActive; ++r) {
        m_rows[r] = m_rows[r + 1];
        m_overrides[r] = m_overrides[r + 1];
        m_presenterRows[m_rows[r].presenter] = static_cast<std::int16_t>(r);
    }
    --m_numActive;
    std::memset(&m_rows[m_numActive], 0xFF, sizeof m_rows[0]);
    std::memset(&m_overrides[m_numActive], 0xFF, sizeof m_overrides[0]);
    uncountType(type, -1);
    AZ_OnRowRemoveEnd(presenter);
}

void AZ_Client::destroyCharacter(std::int32_t row) {
    if (row == -1 || !checkRow(row)) return;
    AZ_Presenter* presenter = presenterOf(row);
    removeRow(row);
    presenter->release();
}

void AZ_Client::releaseRow(std::int32_t row) {
    if (row == -1 || !checkRow(row)) return;
    removeRow(row);
}

void AZ_Client::changeCharacterType(std::int32_t row, std::int32_t type) {
    if (!checkRow(row)) return;
    if (!m_data.isValidCharacter(type)) {
        AZ_LogError(kInvalidCharacter);
        return;
    }
    uncountType(m_rows[row].type, row);
    countType(type, m_rows[row].presenter);
    m_rows[row].type = static_cast<std::int16_t>(type);
    presenterOf(row)->setCharacterType(type);
}

void AZ_Client::countType(std::int32_t type, std::int32_t presenterId) {
    for (std::int32_t t = type; t != -1; t = m_data.getBaseChar(t)) {
        std::int16_t& entry = m_singletons[t];
        entry = static_cast<std::int16_t>(entry == -1 ? presenterId : entry >= 0 ? -3 : entry - 1);
    }
}

// The row itself is left out of the search for the one left when it is
// changing type rather than leaving.
void AZ_Client::uncountType(std::int32_t type, std::int32_t skipRow) {
    for (std::int32_t t = type; t != -1; t = m_data.getBaseChar(t)) {
        std::int16_t& entry = m_singletons[t];
        if (entry == -1) {
            AZ_Fail("[ AZ ][ ERROR ] - AZ_Client : Singleton Table is currupted", kSourcePath, __LINE__);
        } else if (entry >= 0) {
            entry = -1;
        } else if (entry == -3) {
            entry = -1;
            for (std::int32_t r = 0; r < m_numActive && entry == -1; ++r) {
                if (r != skipRow && m_data.isKindOf(m_rows[r].type, t)) entry = m_rows[r].presenter;
            }
            if (entry == -1) {
                AZ_Fail("[ AZ ][ ERROR ] - AZ_Client : Singleton Slot is currupted", kSourcePath, __LINE__);
            }
        } else {
            entry = static_cast<std::int16_t>(entry + 1);
        }
    }
}

std::int32_t AZ_Client::getActiveIndex(std::int32_t presenterId) const {
    if (presenterId == -1) return -1;
    if (presenterId < 0 || presenterId >= AZ__MAX_PRESENTER) {
        AZ_LogError(kInvalidPresenter);
        return -1;
    }
    const std::int32_t mapped = m_presenterRows[presenterId];
    if (mapped == -1) return -1;
    if (m_rows[mapped].presenter == presenterId) return mapped;
    for (std::int32_t r = 0; r < m_numActive; ++r) {
        if (m_rows[r].presenter == presenterId) return r;
    }
    return -1;
}

std::int32_t AZ_Client::getPresenterOfRow(std::int32_t row) const {
    return row >= 0 && row < AZ__MAX_ACTIVE_CHARACTERS ? m_rows[row].presenter : -1;
}

std::int32_t AZ_Client::getCharacterType(std::int32_t row) const {
    return row >= 0 && row < AZ__MAX_ACTIVE_CHARACTERS ? m_rows[row].type : -1;
}

std::int32_t AZ_Client::findCharacterByType(std::int32_t type) const {
    if (!m_data.isValidCharacter(type)) return -1;
    const std::int32_t entry = m_singletons[type];
    if (entry >= 0) return getActiveIndex(entry);
    return entry == -1 ? -1 : findNextCharacterByType(type, -1);
}

std::int32_t AZ_Client::findNextCharacterByType(std::int32_t type, std::int32_t row) const {
    if (!m_data.isValidCharacter(type)) return -1;
    for (std::int32_t r = std::max(row + 1, 0); r < m_numActive; ++r) {
        if (m_data.isKindOf(m_rows[r].type, type)) return r;
    }
    return -1;
}

std::int32_t AZ_Client::getSingletonEntry(std::int32_t type) const {
    return m_data.isValidCharacter(type) ? m_singletons[type] : -1;
}

void AZ_Client::sendEvent(std::int32_t presenterId, std::int32_t eventId) {
    raiseEvent(getActiveIndex(presenterId), eventId);
}

// A handler may destroy characters and so move the rows; the depth is
// given back to the character, wherever its row is then (a character that
// took its presenter meanwhile keeps its own).
void AZ_Client::raiseEvent(std::int32_t row, std::int32_t eventId) {
    if (row == -1 || !checkRow(row)) return;
    const std::int32_t presenterId = m_rows[row].presenter;
    const AZ_HeldCharacter character(presenterOf(row));
    const std::int16_t depth = m_rows[row].handlerDepth;
    for (std::int32_t d = 0; d < AZ_STATE_STACK_DEPTH; ++d) {
        m_rows[row].handlerDepth = static_cast<std::int16_t>(d);
        const std::int32_t state = m_rows[row].stack[d];
        if (state == -1 || handleInState(row, state, eventId)) break;
    }
    const std::int32_t now = character.held() ? getActiveIndex(presenterId) : -1;
    if (now != -1) m_rows[now].handlerDepth = depth;
}

bool AZ_Client::handleInState(std::int32_t row, std::int32_t state, std::int32_t eventId) {
    for (std::int32_t step = 0;; ++step) {
        if (runHandler(row, state, eventId)) return true;
        const std::int32_t base = baseOf(row, state);
        if (base == -1) return false;
        if (step == kMaxChainSteps) {
            AZ_LogError(kOverrideCycle);
            return false;
        }
        state = base;
    }
}

// The presenter is resolved once: when a call destroys the character, the
// later attaches are skipped (the presenter is free, or already another
// character's) while the instructions still run. Past the nesting limit,
// every handler counts as run without running until the outermost one
// returns.
bool AZ_Client::runHandler(std::int32_t row, std::int32_t state, std::int32_t eventId) {
    if (!checkRow(row)) return false;
    if (m_handlerNesting == kMaxNestedHandlers && !m_nestingExceeded) {
        AZ_LogError("[ AZ ][ ERROR ] - AZ_Client : Events nested too deeply, examine script");
        m_nestingExceeded = true;
    }
    if (m_nestingExceeded) return true;
    AZ_Presenter* presenter = presenterOf(row);
    if (AZ_OnHandlerBegin(presenter, eventId) != 1) return true;
    if (state < 0 || state >= m_data.getNumStates()) {
        AZ_LogError(kInvalidState);
        return false;
    }
    const std::int32_t number = eventId - AZ_FIRST_EVENT;
    std::int32_t entry = m_data.getFirstEvent(state);
    const std::int32_t end = m_data.getEventsEnd(state);
    while (entry < end && m_data.getEventNumber(entry) != number) ++entry;
    if (entry == end) return false;

    const AZ_ParamArray params = m_data.getParameters();
    const AZ_HeldCharacter character(presenter);
    ++m_handlerNesting;
    for (std::int32_t call = m_data.getFirstCall(entry), last = m_data.getCallsEnd(entry); call < last; ++call) {
        const std::int32_t code = m_data.getCallCode(call);
        const std::int32_t offset = m_data.getCallParameterOffset(call);
        if (code >= AZ_FIRST_EVENT) {
            AZ_LogError("[ AZ ][ ERROR ] - AZ_Client : Cannot do a call on an event, examine script");
        } else if (code >= AZ_FIRST_INSTRUCTION) {
            m_manager.dispatch(AZ_MODE_INSTRUCTION, presenter, code, -1, 0, offset, params);
        } else if (character.held() && presenter->getCharacterType() != AZ_Presenter::kNone) {
            const std::int32_t slot = presenter->attach(code);
            if (slot != -1) m_manager.dispatch(AZ_MODE_ATTACH, presenter, code, slot, 0, offset, params);
        }
    }
    if (--m_handlerNesting == 0) m_nestingExceeded = false;
    AZ_OnHandlerEnd(presenter, eventId);
    return true;
}

std::int32_t AZ_Client::getState(std::int32_t row, std::int32_t depth) const {
    if (!checkRow(row) || depth < 0 || depth >= AZ_STATE_STACK_DEPTH) return -1;
    return m_rows[row].stack[depth];
}

std::int32_t AZ_Client::resolve(std::int32_t row, std::int32_t state) const {
    const AZ_StateOverrideTable& table = m_overrides[row];
    for (std::int32_t step = 0; state >= 0; ++step) {
        const std::int16_t* found = std::find(table.base, table.base + AZ_MAX_OVERRIDES, state);
        if (found == table.base + AZ_MAX_OVERRIDES) break;
        if (step == kMaxChainSteps) {
            AZ_LogError(kOverrideCycle);
            break;
        }
        state = table.derived[found - table.base];
    }
    return state;
}

std::int32_t AZ_Client::baseOf(std::int32_t row, std::int32_t state) const {
    const AZ_StateOverrideTable& table = m_overrides[row];
    for (std::int32_t i = 0; i < AZ_MAX_OVERRIDES && table.base[i] != -1; ++i) {
        if (table.derived[i] == state) return table.base[i];
    }
    return -1;
}

void AZ_Client::setTopState(std::int32_t row, std::int32_t state) {
    if (!checkRow(row)) return;
    m_rows[row].stack[0] = static_cast<std::int16_t>(resolve(row, state));
}

void AZ_Client::pushState(std::int32_t row, std::int32_t state) {
    if (!checkRow(row)) return;
    std::int16_t* stack = m_rows[row].stack;
    const std::int32_t resolved = resolve(row, state);
    if (stack[AZ_STATE_STACK_DEPTH - 1] != -1) {
        AZ_LogError("[ AZ ][ ERROR ] - AZ_Client: Out of stack memory for states, examine script for incorrect usage "
                    "of push and pop instructions");
    }
    std::memmove(stack + 1, stack, (AZ_STATE_STACK_DEPTH - 1) * sizeof *stack);
    stack[0] = static_cast<std::int16_t>(resolved);
}

std::int32_t AZ_Client::popState(std::int32_t row) {
    if (!checkRow(row)) return -1;
    std::int16_t* stack = m_rows[row].stack;
    if (stack[0] == -1) {
        AZ_LogError("[ AZ ][ ERROR ] - AZ_Client: Trying to pop a character with no states, examine code");
        return -1;
    }
    const std::int32_t popped = stack[0];
    std::memmove(stack, stack + 1, (AZ_STATE_STACK_DEPTH - 1) * sizeof *stack);
    stack[AZ_STATE_STACK_DEPTH - 1] = -1;
    return stack[0] == -1 ? -1 : popped;
}

void AZ_Client::enterState(std::int32_t row) {
    if (!checkRow(row) || m_rows[row].stack[0] == -1) return;
    handleInState(row, m_rows[row].stack[0], AZ_EVENT_ENTER);
}

std::int32_t AZ_Client::exitState(std::int32_t row) {
    if (!checkRow(row)) return -1;
    const std::int32_t presenterId = m_rows[row].presenter;
    const AZ_HeldCharacter character(presenterOf(row));
    std::int32_t state = m_rows[row].stack[0];
    for (std::int32_t step = 0; state != -1; ++step) {
        runHandler(row, state, AZ_EVENT_EXIT);
        row = character.held() ? getActiveIndex(presenterId) : -1;
        const std::int32_t base = row == -1 ? -1 : baseOf(row, state);
        if (base == -1) break;
        if (step == kMaxChainSteps) {
            AZ_LogError(kOverrideCycle);
            break;
        }
        state = base;
    }
    return state;
}

std::int32_t AZ_Client::getHandlerDepth(std::int32_t row) const {
    return checkRow(row) ? m_rows[row].handlerDepth : -1;
}

void AZ_Client::setHandlerDepth(std::int32_t row, std::int32_t depth) {
    if (checkRow(row)) m_rows[row].handlerDepth = static_cast<std::int16_t>(depth);
}

void AZ_Client::overrideState(std::int32_t presenterId, std::int32_t base, std::int32_t derived) {
    const std::int32_t row = getActiveIndex(presenterId);
    if (row == -1 || base == derived) return;
    if (base < 0 || derived < 0) {
        AZ_LogError(kInvalidState);
        return;
    }
    AZ_StateOverrideTable& table = m_overrides[row];
    std::int32_t old = -1;
    std::int32_t pair = 0;
    while (pair < AZ_MAX_OVERRIDES && table.base[pair] != base && table.base[pair] != -1) ++pair;
    if (pair == AZ_MAX_OVERRIDES) {
        AZ_LogError("[ AZ ][ ERROR ] - AZ_Client : Pool for active characters full, increase AZ__MAX_ACTIVE_CHARACTERS "
                    "in code or decrease action bubble size in b_actionBubble");
        return;
    }
    if (table.base[pair] == base) {
        old = table.derived[pair];
    } else {
        if (table.derived[pair] != -1) {
            AZ_LogError("[ AZ ][ ERROR ] - AZ_Client : Derived State has corrupt base state, examine code");
        }
        table.base[pair] = static_cast<std::int16_t>(base);
    }
    table.derived[pair] = static_cast<std::int16_t>(derived);
    std::int16_t* stack = m_rows[row].stack;
    for (std::int32_t d = 0; d < AZ_STATE_STACK_DEPTH && stack[d] != -1; ++d) {
        if (stack[d] == base || stack[d] == old) stack[d] = static_cast<std::int16_t>(derived);
    }
}

void AZ_Client::unOverrideState(std::int32_t presenterId, std::int32_t base) {
    const std::int32_t row = getActiveIndex(presenterId);
    if (row == -1 || base == -1) return;
    AZ_StateOverrideTable& table = m_overrides[row];
    std::int16_t* found = std::find(table.base, table.base + AZ_MAX_OVERRIDES, base);
    if (found == table.base + AZ_MAX_OVERRIDES) return;
    const std::size_t pair = static_cast<std::size_t>(found - table.base);
    const std::size_t after = AZ_MAX_OVERRIDES - 1 - pair;
    std::memmove(table.base + pair, table.base + pair + 1, after * sizeof *table.base);
    std::memmove(table.derived + pair, table.derived + pair + 1, after * sizeof *table.derived);
    table.base[AZ_MAX_OVERRIDES - 1] = table.derived[AZ_MAX_OVERRIDES - 1] = -1;
}

std::int32_t AZ_Client::getOverrideBase(std::int32_t row, std::int32_t pair) const {
    return checkRow(row) && pair >= 0 && pair < AZ_MAX_OVERRIDES ? m_overrides[row].base[pair] : -1;
}

std::int32_t AZ_Client::getOverrideDerived(std::int32_t row, std::int32_t pair) const {
    return checkRow(row) && pair >= 0 && pair < AZ_MAX_OVERRIDES ? m_overrides[row].derived[pair] : -1;
}

void AZ_Client::update(std::int32_t frameTime) {
    const bool interrupted = m_interrupt != -1;
    AZ_Presenter_Singleton* store = AZ_Presenter_Singleton::getInstance();
    if (interrupted) {
        AZ_OnInterrupt(m_interrupt);
    } else if (store != nullptr) {
        // Presenters handed out later in this pass wait for the next frame.
        const std::int32_t count = store->getHighWaterMark();
        for (std::int32_t i = 0; i < count; ++i) AZ_Presenter::getPresenter(i)->setProcessed(false);
        for (std::int32_t i = 0; i < count; ++i) AZ_Presenter::update(AZ_Presenter::getPresenter(i), frameTime);
    }
    buildDrawOrder();
    if (interrupted) {
        AZ_OnPostInterruptUpdate(m_interrupt, frameTime);
    } else {
        m_manager.endFrame();
    }
}

// Repeated passes over the rows, one per priority present, highest first.
void AZ_Client::buildDrawOrder() {
    std::int32_t level = 0;
    for (std::int32_t r = 0; r < m_numActive; ++r) {
        const AZ_Presenter* presenter = presenterOf(r);
        const std::int32_t slot = presenter != nullptr ? presenter->findCodeSlot(40) : -1;
        m_drawPriority[r] = static_cast<std::int8_t>(slot == -1 ? kNoDrawable : b_drawable_getPriority(slot));
        level = std::max<std::int32_t>(level, m_drawPriority[r]);
    }
    m_drawCount = 0;
    while (level > kNeverDrawn) {
        std::int32_t next = kNeverDrawn;
        for (std::int32_t r = 0; r < m_numActive; ++r) {
            if (m_drawPriority[r] == level) {
                m_drawOrder[m_drawCount++] = static_cast<std::uint8_t>(r);
            } else if (m_drawPriority[r] < level) {
                next = std::max<std::int32_t>(next, m_drawPriority[r]);
            }
        }
        level = next;
    }
}

std::int32_t AZ_Client::getDrawOrderEntry(std::int32_t position) const {
    return position >= 0 && position < m_drawCount ? m_drawOrder[position] : -1;
}

std::int32_t AZ_Client::getDrawPriority(std::int32_t row) const {
    return row >= 0 && row < AZ__MAX_ACTIVE_CHARACTERS ? m_drawPriority[row] : kNoDrawable;
}

void AZ_Client::render(std::int32_t minPriority, std::int32_t maxPriority) {
    if (m_interrupt != -1 && AZ_OnRenderInterrupt(m_interrupt) != 1) {
        const std::int32_t width = getViewWidth(), height = getViewHeight();
        if (width > 0 && height > 0) CDrawUtil::FillRectRGB(nullptr, 0, 0, width, height, 0, 0, 0);
    } else {
        for (std::int32_t position = 0; position < m_drawCount; ++position) {
            const std::int32_t row = m_drawOrder[position];
            const std::int32_t priority = m_drawPriority[row];
            if (priority < minPriority || priority > maxPriority || m_rows[row].presenter == -1) continue;
            AZ_Presenter::render(presenterOf(row));
        }
    }
    if (m_interrupt != -1) AZ_OnPostRenderInterrupt(m_interrupt);
}

bool AZ_GetSurfaceSize(std::int32_t* width, std::int32_t* height) {
    *width = *height = 0;
    ICGraphics2d* graphics = ICGraphics2d::GetInstance();
    ICRenderSurface* surface = graphics != nullptr ? graphics->GetRenderSurface() : nullptr;
    if (surface != nullptr && surface->GetSize(width, height)) return true;
    *width = *height = 0;
    return false;
}

std::int32_t AZ_Client::getViewWidth() {
    std::int32_t width, height;
    AZ_GetSurfaceSize(&width, &height);
    return width;
}

std::int32_t AZ_Client::getViewHeight() {
    std::int32_t width, height;
    AZ_GetSurfaceSize(&width, &height);
    return height;
}

std::int32_t AZ_ScaleX(std::int32_t length) {
    return static_cast<std::int32_t>(static_cast<std::int64_t>(length) * 24 * AZ_Client::getViewWidth() / (240 * 24));
}

std::int32_t AZ_ScaleY(std::int32_t length) {
    return static_cast<std::int32_t>(static_cast<std::int64_t>(length) * 24 * AZ_Client::getViewHeight() / (320 * 24));
}
