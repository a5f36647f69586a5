// The script assembler: character scripts, written in a text form or built
// from C++, laid out as the engine's script tables (the payload of the
// script resource); and a raw writer of those tables that takes any counts
// and indices, for malformed fixtures.
//
// The text form, one declaration a line, '#' starting a comment:
//
//   event NAME NUMBER                     names an engine event number
//   type NAME [base TYPE] initial STATE   the next character type (0, 1, ...)
//   state NAME                            the next state (0, 1, ...)
//   on EVENT                              a handler of the current state
//   UNIT ARGUMENT...                      a call of the current handler
//
// EVENT is `enter` (162), `exit` (163), a declared name or an engine
// number; tables and arguments store it minus 162. A behaviour or visual
// takes exactly its parameter count of values: numbers, or `keep` (-32767,
// the instance keeps its word). An instruction takes exactly its
// arguments, in the engine's order: numbers where it reads values, names
// where it reads a state, a type, an event or a code id (`none` for -1).
// Every value must fit in 16 bits; names may be used before they are
// declared. Errors name the file and line.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/ByteWriter.h"

namespace vktools {

// The script tables as stored, each field as given.
struct RawScript {
    struct Pair {
        std::int16_t first;
        std::int16_t second;
    };
    std::vector<Pair> characters;      // base type (-1 root), initial state
    std::vector<std::int16_t> states;  // first event entry
    std::vector<Pair> events;          // event number (id - 162), first call entry
    std::vector<Pair> calls;           // code id, parameter offset
    std::vector<std::int16_t> parameters;
    // Header counts, when they must differ from the tables' sizes.
    std::optional<std::int16_t> numCharacters, numStates, numEvents, numCalls;
    std::optional<std::uint16_t> numParameters;
};
// The little-endian 16-bit words: the five counts, then the tables.
Bytes WriteRawScript(const RawScript& script);

// One argument of a call, as written in the text form.
struct ScriptArg {
    ScriptArg(const char* text) : text(text) {}
    ScriptArg(std::string text) : text(std::move(text)) {}
    ScriptArg(int value) : text(std::to_string(value)) {}
    std::string text;
};

class ScriptAssembler {
public:
    // Where the following declarations come from, for the messages.
    void SetSource(std::string file, int line);

    void Event(const std::string& name, std::int64_t number);
    void Type(const std::string& name, const std::string& initialState, const std::string& base = "");
    void State(const std::string& name);
    void On(const std::string& event);
    void Call(const std::string& unit, const std::vector<ScriptArg>& args);

    // Declares everything the text holds; false at the first error.
    bool Parse(std::string_view text, const std::string& file);
    bool ParseFile(const std::string& path);

    // Resolves the names and lays out the tables; false with Error() set.
    bool Build(RawScript& script);
    bool Build(Bytes& payload);
    // The first error, "file:line: message"; empty when there is none.
    const std::string& Error() const { return m_error; }

    // Number of a declared type or state, -1 when there is none.
    std::int32_t TypeNumber(std::string_view name) const;
    std::int32_t StateNumber(std::string_view name) const;

private:
    struct Where {
        std::string file;
        int line = 0;
    };
    struct CallDecl {
        std::string unit;
        std::vector<std::string> args;
        Where where;
    };
    struct HandlerDecl {
        std::string event;
        std::vector<CallDecl> calls;
        Where where;
    };
    struct StateDecl {
        std::string name;
        std::vector<HandlerDecl> handlers;
    };
    struct TypeDecl {
        std::string name;
        std::string base;
        std::string initial;
        Where where;
    };

    bool Fail(const Where& where, const std::string& message);
    bool CheckName(const std::string& name, const char* what);
    // Event number (id - 162) of an event reference; false when unknown.
    bool ResolveEvent(const std::string& text, std::int64_t& number) const;
    bool ResolveArg(char kind, const std::string& text, const Where& where, std::int64_t& value);
    bool AddCall(const CallDecl& call, RawScript& script);

    Where m_where;
    std::string m_error;
    std::map<std::string, std::int64_t, std::less<>> m_events;
    std::vector<TypeDecl> m_types;
    std::vector<StateDecl> m_states;
};

}  // namespace vktools
