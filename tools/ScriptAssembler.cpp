#include "tools/ScriptAssembler.h"

#include <algorithm>
#include <cctype>

#include "src/actionZel/AZ_Defs.h"
#include "src/actionZel/AZ_Manager.h"
#include "src/actionZel/AZ_Unit.h"
#include "tools/TextForm.h"

namespace vktools {

namespace {

constexpr std::int64_t kKeep = AZ_FREE;
constexpr std::int64_t kEnter = 162;
constexpr std::int64_t kExit = 163;

// Argument kinds of the instructions 94-161, in reading order: v value,
// s state, t type, e event, c code id of a behaviour or visual.
constexpr const char* kInstructionArgs[AZ_NUM_CODE_IDS - AZ_FIRST_INSTRUCTION] = {
    "v", "s", "s", "v", "etvv", "et", "", "vss", "vvvssss", "vvvvvvvssssssss",  // 94-103
    "c", "c", "", "", "e", "vvvvvvv", "ss", "c", "c", "c",  // 104-113
    "c", "v", "v", "vvv", "tvv", "tvvv", "tvvvvvvve", "s", "", "",  // 114-123
    "vv", "", "et", "e", "tvv", "tvv", "tvv", "vv", "", "v",  // 124-133
    "v", "v", "v", "v", "", "vv", "vvvv", "vv", "vvvv", "vv",  // 134-143
    "", "", "", "", "", "", "", "t", "t", "vv",  // 144-153
    "v", "", "vv", "v", "t", "", "vvvvvtvetv", "",  // 154-161
};

bool FitsInt16(std::int64_t value) { return value >= -32768 && value <= 32767; }

// Code id of a unit name, -1 when the engine has none.
std::int32_t UnitId(std::string_view name) {
    for (std::int32_t id = 0; id < AZ_NUM_CODE_IDS; ++id) {
        if (name == AZ_GetUnit(id).name) return id;
    }
    return -1;
}

template <typename Decls>
std::int32_t IndexOf(const Decls& decls, std::string_view name) {
    const auto at = std::find_if(decls.begin(), decls.end(), [&](const auto& d) { return d.name == name; });
    return at == decls.end() ? -1 : static_cast<std::int32_t>(at - decls.begin());
}

}  // namespace

Bytes WriteRawScript(const RawScript& script) {
    ByteWriter out;
    const auto word = [&](std::int64_t value) { out.U16(static_cast<std::uint16_t>(value)); };
    const auto count = [&](const auto& given, const auto& table) { word(given.value_or(table.size())); };
    count(script.numCharacters, script.characters);
    count(script.numStates, script.states);
    count(script.numEvents, script.events);
    count(script.numCalls, script.calls);
    count(script.numParameters, script.parameters);
    const auto pairs = [&](const std::vector<RawScript::Pair>& table) {
        for (const auto& p : table) word(p.first), word(p.second);
    };
    pairs(script.characters);
    for (std::int16_t s : script.states) word(s);
    pairs(script.events);
    pairs(script.calls);
    for (std::int16_t p : script.parameters) word(p);
    return out.Take();
}

void ScriptAssembler::SetSource(std::string file, int line) { m_where = Where{std::move(file), line}; }

bool ScriptAssembler::Fail(const Where& where, const std::string& message) {
    if (m_error.empty()) m_error = where.file + ":" + std::to_string(where.line) + ": " + message;
    return false;
}

bool ScriptAssembler::CheckName(const std::string& name, const char* what) {
    const bool valid = !name.empty() && (std::isalpha(static_cast<unsigned char>(name[0])) || name[0] == '_') &&
                       std::all_of(name.begin(), name.end(), [](char c) {
                           return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
                       });
    if (!valid || name == "keep" || name == "none" || name == "enter" || name == "exit") {
        return Fail(m_where, std::string("bad ") + what + " name '" + name + "'");
    }
    return true;
}

void ScriptAssembler::Event(const std::string& name, std::int64_t number) {
    if (!CheckName(name, "event")) return;
    if (m_events.count(name) != 0) {
        Fail(m_where, "event '" + name + "' declared twice");
    } else if (!FitsInt16(number - kEnter)) {
        Fail(m_where, "event number " + std::to_string(number) + " out of range");
    } else {
        m_events[name] = number;
    }
}

void ScriptAssembler::Type(const std::string& name, const std::string& initialState, const std::string& base) {
    if (!CheckName(name, "type")) return;
    if (IndexOf(m_types, name) != -1) {
        Fail(m_where, "type '" + name + "' declared twice");
        return;
    }
    m_types.push_back(TypeDecl{name, base, initialState, m_where});
}

void ScriptAssembler::State(const std::string& name) {
    if (!CheckName(name, "state")) return;
    if (IndexOf(m_states, name) != -1) {
        Fail(m_where, "state '" + name + "' declared twice");
        return;
    }
    m_states.push_back(StateDecl{name, {}});
}

void ScriptAssembler::On(const std::string& event) {
    if (m_states.empty()) {
        Fail(m_where, "'on' outside a state");
        return;
    }
    m_states.back().handlers.push_back(HandlerDecl{event, {}, m_where});
}

void ScriptAssembler::Call(const std::string& unit, const std::vector<ScriptArg>& args) {
    if (m_states.empty() || m_states.back().handlers.empty()) {
        Fail(m_where, "call of '" + unit + "' outside a handler");
        return;
    }
    CallDecl call{unit, {}, m_where};
    for (const ScriptArg& arg : args) call.args.push_back(arg.text);
    m_states.back().handlers.back().calls.push_back(std::move(call));
}

bool ScriptAssembler::Parse(std::string_view text, const std::string& file) {
    ForEachLine(text, [&](int lineNumber, std::string_view line) {
        const std::vector<std::string> tokens = Words(line);
        if (tokens.empty()) return true;
        SetSource(file, lineNumber);
        const std::string& keyword = tokens[0];
        const auto need = [&](std::size_t count) {
            return tokens.size() == count || Fail(m_where, "'" + keyword + "' takes " + std::to_string(count - 1) +
                                                                   " word" + (count == 2 ? "" : "s"));
        };
        if (keyword == "event") {
            std::int64_t number = 0;
            if (!need(3)) return false;
            if (!ParseInt(tokens[2], number)) {
                Fail(m_where, "bad event number '" + tokens[2] + "'");
                return false;
            }
            Event(tokens[1], number);
        } else if (keyword == "type") {
            std::string base, initial;
            std::size_t i = 2;
            for (; i + 1 < tokens.size(); i += 2) {
                if (tokens[i] == "base" && base.empty()) {
                    base = tokens[i + 1];
                } else if (tokens[i] == "initial" && initial.empty()) {
                    initial = tokens[i + 1];
                } else {
                    return false;
                }
            }
            if (tokens.size() < 2 || i != tokens.size() || initial.empty()) {
                Fail(m_where, "expected 'type NAME [base TYPE] initial STATE'");
                return false;
            }
            Type(tokens[1], initial, base);
        } else if (keyword == "state") {
            if (need(2)) State(tokens[1]);
        } else if (keyword == "on") {
            if (need(2)) On(tokens[1]);
        } else {
            Call(keyword, std::vector<ScriptArg>(tokens.begin() + 1, tokens.end()));
        }
        return m_error.empty();
    });
    return m_error.empty();
}

bool ScriptAssembler::ParseFile(const std::string& path) {
    std::string text;
    if (!ReadTextFile(path, text)) return Fail(Where{path, 0}, "cannot read the file");
    return Parse(text, path);
}

bool ScriptAssembler::ResolveEvent(const std::string& text, std::int64_t& number) const {
    std::int64_t id = 0;
    if (text == "enter") {
        id = kEnter;
    } else if (text == "exit") {
        id = kExit;
    } else if (const auto named = m_events.find(text); named != m_events.end()) {
        id = named->second;
    } else if (!ParseInt(text, id)) {
        return false;
    }
    number = id - kEnter;
    return true;
}

bool ScriptAssembler::ResolveArg(char kind, const std::string& text, const Where& where, std::int64_t& value) {
    if (kind == 'v') {
        if (!ParseInt(text, value)) return Fail(where, "expected a number, not '" + text + "'");
        return FitsInt16(value) || Fail(where, "value " + text + " does not fit in 16 bits");
    }
    if (text == "none") {
        value = -1;
        return true;
    }
    switch (kind) {
    case 's': value = StateNumber(text); break;
    case 't': value = TypeNumber(text); break;
    case 'c': value = UnitId(text); break;
    default:
        if (!ResolveEvent(text, value)) return Fail(where, "unknown event '" + text + "'");
        return FitsInt16(value) || Fail(where, "event " + text + " out of range");
    }
    if (kind == 'c' && value >= AZ_FIRST_INSTRUCTION) value = -1;
    if (value != -1) return true;
    static constexpr const char* kWhat[] = {"state", "type", "behaviour or visual"};
    return Fail(where, std::string("unknown ") + kWhat[kind == 's' ? 0 : kind == 't' ? 1 : 2] + " '" + text + "'");
}

bool ScriptAssembler::AddCall(const CallDecl& call, RawScript& script) {
    const std::int32_t code = UnitId(call.unit);
    if (code == -1) return Fail(call.where, "unknown unit '" + call.unit + "'");
    const std::int32_t expected = AZ_GetCallParameterCount(code);
    const std::string kinds = code >= AZ_FIRST_INSTRUCTION ? kInstructionArgs[code - AZ_FIRST_INSTRUCTION]
                                                            : std::string(static_cast<std::size_t>(expected), 'p');
    if (static_cast<std::int32_t>(kinds.size()) != expected) {
        return Fail(call.where, "the engine's unit table and the assembler disagree on '" + call.unit + "'");
    }
    if (call.args.size() != kinds.size()) {
        return Fail(call.where, "'" + call.unit + "' takes " + std::to_string(expected) + " arguments, not " +
                                    std::to_string(call.args.size()));
    }
    script.calls.push_back({static_cast<std::int16_t>(code), static_cast<std::int16_t>(script.parameters.size())});
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        std::int64_t value = kKeep;
        if (kinds[i] != 'p' || call.args[i] != "keep") {
            if (!ResolveArg(kinds[i] == 'p' ? 'v' : kinds[i], call.args[i], call.where, value)) return false;
        }
        script.parameters.push_back(static_cast<std::int16_t>(value));
    }
    return true;
}

bool ScriptAssembler::Build(RawScript& script) {
    script = RawScript();
    if (!m_error.empty()) return false;
    for (const TypeDecl& type : m_types) {
        const std::int32_t base = type.base.empty() ? -1 : TypeNumber(type.base);
        const std::int32_t initial = StateNumber(type.initial);
        if (base == -1 && !type.base.empty()) return Fail(type.where, "unknown base type '" + type.base + "'");
        if (initial == -1) return Fail(type.where, "unknown state '" + type.initial + "'");
        script.characters.push_back({static_cast<std::int16_t>(base), static_cast<std::int16_t>(initial)});
    }
    for (const TypeDecl& type : m_types) {
        std::int32_t t = TypeNumber(type.name);
        for (std::size_t steps = 0; t != -1; ++steps, t = script.characters[static_cast<std::size_t>(t)].first) {
            if (steps > m_types.size()) return Fail(type.where, "type '" + type.name + "' derives from itself");
        }
    }
    for (const StateDecl& state : m_states) {
        script.states.push_back(static_cast<std::int16_t>(script.events.size()));
        const std::size_t first = script.events.size();
        for (const HandlerDecl& handler : state.handlers) {
            std::int64_t number = 0;
            if (!ResolveEvent(handler.event, number) || !FitsInt16(number)) {
                return Fail(handler.where, "unknown event '" + handler.event + "'");
            }
            for (std::size_t e = first; e < script.events.size(); ++e) {
                if (script.events[e].first == number) {
                    return Fail(handler.where, "state '" + state.name + "' handles '" + handler.event + "' twice");
                }
            }
            script.events.push_back({static_cast<std::int16_t>(number), static_cast<std::int16_t>(script.calls.size())});
            for (const CallDecl& call : handler.calls) {
                if (!AddCall(call, script)) return false;
            }
        }
    }
    const auto over = [](std::size_t size, std::size_t limit) { return size > limit; };
    if (over(script.characters.size(), 32767) || over(script.states.size(), 32767) ||
        over(script.events.size(), 32767) || over(script.calls.size(), 32767) ||
        over(script.parameters.size(), 65535)) {
        return Fail(m_where, "the script is larger than its tables can count");
    }
    return true;
}

bool ScriptAssembler::Build(Bytes& payload) {
    RawScript script;
    if (!Build(script)) return false;
    payload = WriteRawScript(script);
    return true;
}

std::int32_t ScriptAssembler::TypeNumber(std::string_view name) const { return IndexOf(m_types, name); }
std::int32_t ScriptAssembler::StateNumber(std::string_view name) const { return IndexOf(m_states, name); }

}  // namespace vktools
