// The script tables: character types with single inheritance, states, the
// events each state handles and, for each handled event, the calls to run
// (code ids with parameters). They are read in place from the script
// resource, a run of little-endian 16-bit words:
//
//   0  NT, NS, NE, NK (int16), NP (uint16)
//   10 NT x (base type, initial state)
//      NS x first event entry of the state
//      NE x (event number - 162, first call entry)
//      NK x (code id, parameter offset)
//      NP x parameter
//
// State s owns the event entries from its first up to the next state's
// first (the last state up to NE); event entry e owns its calls likewise.
#pragma once

#include <cstdint>

#include "src/actionZel/AZ_ParamArray.h"

class AZ_Data {
public:
    AZ_Data() = default;

    // Checks that the tables hold together and keeps pointers into the
    // payload, which must outlive them: counts not negative, every table
    // inside the payload, first entries non-decreasing within their tables,
    // initial states and base types valid, no type its own ancestor, each
    // call's parameters inside the parameter array. A script that fails is
    // refused with a line and the tables stay empty.
    bool load(const std::uint8_t* payload, std::uint32_t size);
    // Forgets the tables; the payload is its owner's.
    void unload();

    std::int32_t getNumCharacters() const { return m_numCharacters; }
    std::int32_t getNumStates() const { return m_numStates; }
    std::int32_t getNumEvents() const { return m_numEvents; }
    std::int32_t getNumCalls() const { return m_numCalls; }
    std::int32_t getNumParameters() const { return m_numParameters; }
    AZ_ParamArray getParameters() const { return AZ_ParamArray(m_parameters, m_numParameters); }

    // Base type (-1 for a root type); an invalid type fails the check.
    std::int32_t getBaseChar(std::int32_t type) const;
    std::int32_t getInitialState(std::int32_t type) const { return read(m_characters, m_numCharacters, type, 2, 1); }
    // The event entries of a state: [getFirstEvent, getEventsEnd).
    std::int32_t getFirstEvent(std::int32_t state) const { return read(m_states, m_numStates, state, 1, 0); }
    std::int32_t getEventsEnd(std::int32_t state) const {
        return state + 1 < m_numStates ? getFirstEvent(state + 1) : m_numEvents;
    }
    // Event number of an entry: the event id minus 162.
    std::int32_t getEventNumber(std::int32_t entry) const { return read(m_events, m_numEvents, entry, 2, 0); }
    // The calls of an event entry: [getFirstCall, getCallsEnd).
    std::int32_t getFirstCall(std::int32_t entry) const { return read(m_events, m_numEvents, entry, 2, 1); }
    std::int32_t getCallsEnd(std::int32_t entry) const {
        return entry + 1 < m_numEvents ? getFirstCall(entry + 1) : m_numCalls;
    }
    std::int32_t getCallCode(std::int32_t call) const { return read(m_calls, m_numCalls, call, 2, 0); }
    std::int32_t getCallParameterOffset(std::int32_t call) const { return read(m_calls, m_numCalls, call, 2, 1); }

    bool isValidCharacter(std::int32_t type) const { return type >= 0 && type < m_numCharacters; }
    // True when type is other or derives from it.
    bool isKindOf(std::int32_t type, std::int32_t other) const;

private:
    // Word `field` of record `index` (of `words` words) of a table of count
    // records; an index outside the table fails the check.
    std::int32_t read(const std::uint8_t* table, std::int32_t count, std::int32_t index, std::int32_t words,
                      std::int32_t field) const;
    bool refuse(const char* reason);
    bool hasAcyclicBases() const;

    std::int32_t m_numCharacters = 0;
    const std::uint8_t* m_characters = nullptr;
    std::int32_t m_numStates = 0;
    const std::uint8_t* m_states = nullptr;
    std::int32_t m_numEvents = 0;
    const std::uint8_t* m_events = nullptr;
    std::int32_t m_numCalls = 0;
    const std::uint8_t* m_calls = nullptr;
    std::int32_t m_numParameters = 0;
    const std::uint8_t* m_parameters = nullptr;
    const std::uint8_t* m_payload = nullptr;
};
