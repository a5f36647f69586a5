#include "src/actionZel/AZ_Data.h"

#include <new>

#include "platform/shared/core/Debug.h"
#include "src/actionZel/AZ_Defs.h"
#include "src/actionZel/AZ_Manager.h"

namespace {

constexpr char kSourcePath[] = "..\\..\\src\\actionZel\\AZ_Data.cpp";
constexpr std::uint32_t kHeaderBytes = 10;

std::int32_t Word(const std::uint8_t* at) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(at[0] | at[1] << 8));
}

// Whether the first-entry column of a table climbs within 0..limit.
template <typename First>
bool IsOrdered(std::int32_t count, std::int32_t limit, First first) {
    std::int32_t previous = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t value = first(i);
        if (value < previous || value > limit) return false;
        previous = value;
    }
    return true;
}

}  // namespace

bool AZ_Data::refuse(const char* reason) {
    DebugPrintf("[ AZ ][ ERROR ] - AZ_Data : Script refused, %s", reason);
    unload();
    return false;
}

bool AZ_Data::load(const std::uint8_t* payload, std::uint32_t size) {
    unload();
    if (payload == nullptr || size < kHeaderBytes) return refuse("the resource is shorter than its header");
    const std::int32_t nt = Word(payload), ns = Word(payload + 2), ne = Word(payload + 4), nk = Word(payload + 6);
    const std::int32_t np = static_cast<std::uint16_t>(Word(payload + 8));
    if (nt < 0 || ns < 0 || ne < 0 || nk < 0) return refuse("a count is negative");
    const std::uint64_t characters = kHeaderBytes;
    const std::uint64_t states = characters + 4 * static_cast<std::uint64_t>(nt);
    const std::uint64_t events = states + 2 * static_cast<std::uint64_t>(ns);
    const std::uint64_t calls = events + 4 * static_cast<std::uint64_t>(ne);
    const std::uint64_t parameters = calls + 4 * static_cast<std::uint64_t>(nk);
    if (parameters + 2 * static_cast<std::uint64_t>(np) > size) return refuse("its tables run past its end");

    m_payload = payload;
    m_numCharacters = nt;
    m_characters = payload + characters;
    m_numStates = ns;
    m_states = payload + states;
    m_numEvents = ne;
    m_events = payload + events;
    m_numCalls = nk;
    m_calls = payload + calls;
    m_numParameters = np;
    m_parameters = payload + parameters;

    if (!IsOrdered(ns, ne, [this](std::int32_t s) { return getFirstEvent(s); })) {
        return refuse("the states' first events are out of order");
    }
    if (!IsOrdered(ne, nk, [this](std::int32_t e) { return getFirstCall(e); })) {
        return refuse("the events' first calls are out of order");
    }
    for (std::int32_t type = 0; type < nt; ++type) {
        const std::int32_t initial = getInitialState(type);
        if (initial < 0 || initial >= ns) return refuse("an initial state is not a state");
        const std::int32_t base = Word(m_characters + 4 * type);
        if (base != -1 && !isValidCharacter(base)) return refuse("a base type is not a type");
    }
    if (!hasAcyclicBases()) return refuse("a type derives from itself");
    for (std::int32_t call = 0; call < nk; ++call) {
        const std::int64_t count = AZ_GetCallParameterCount(getCallCode(call));
        const std::int64_t offset = getCallParameterOffset(call);
        if (count > 0 && (offset < 0 || offset + count > np)) return refuse("a call's parameters run past the array");
    }
    return true;
}

// Each chain of bases is walked once: marked 1 while on the walk, 2 once it
// is known to end at a root. Meeting a 1 again is a cycle.
bool AZ_Data::hasAcyclicBases() const {
    std::uint8_t* marks = new (std::nothrow) std::uint8_t[static_cast<std::size_t>(m_numCharacters) + 1]();
    if (marks == nullptr) return false;
    const auto base = [this](std::int32_t type) { return Word(m_characters + 4 * type); };
    bool acyclic = true;
    for (std::int32_t type = 0; type < m_numCharacters && acyclic; ++type) {
        std::int32_t t = type;
        for (; t != -1 && marks[t] == 0; t = base(t)) marks[t] = 1;
        acyclic = t == -1 || marks[t] == 2;
        for (t = type; t != -1 && marks[t] == 1; t = base(t)) marks[t] = 2;
    }
    delete[] marks;
    return acyclic;
}

void AZ_Data::unload() { *this = AZ_Data(); }

std::int32_t AZ_Data::read(const std::uint8_t* table, std::int32_t count, std::int32_t index, std::int32_t words,
                           std::int32_t field) const {
    if (index < 0 || index >= count) {
        DebugAssert(false, kSourcePath, __LINE__);
        return -1;
    }
    return Word(table + 2 * (index * words + field));
}

std::int32_t AZ_Data::getBaseChar(std::int32_t type) const {
    if (type == -1) {
        AZ_Fail("[ AZ ] [ ERROR ] - AZ_Data : Invalid characterid passed in for getBaseChar ", kSourcePath, __LINE__);
        return -1;
    }
    if (!isValidCharacter(type)) {
        AZ_Fail("[ AZ ] [ ERROR ] - Invalid character id passed in, check script for invalid entries", kSourcePath,
                __LINE__);
        return -1;
    }
    return read(m_characters, m_numCharacters, type, 2, 0);
}

bool AZ_Data::isKindOf(std::int32_t type, std::int32_t other) const {
    if (type == other) return true;
    if (!isValidCharacter(type)) {
        AZ_Fail("[ AZ ] [ ERROR ] - AZ_Data : Invalid Character (-1) type lookup", kSourcePath, __LINE__);
        return false;
    }
    // The load made sure that every chain of bases ends.
    for (std::int32_t t = getBaseChar(type); t != -1; t = getBaseChar(t)) {
        if (t == other) return true;
    }
    return false;
}
