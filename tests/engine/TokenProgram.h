// Pieces shared by the tests that play programs of tokens on a level: the
// numbers of a token, running a unit's code by its id, and the trace of the
// events the characters handled.
#pragma once

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "src/actionZel/AZ_Hooks.h"
#include "src/actionZel/AZ_Manager.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/AZ_Unit.h"
#include "tests/engine/EngineWorld.h"

// The numbers of a token after its one-sign operation (from its start when
// it starts with a digit), split at any other sign: "@3,5,-7" is 3 5 -7.
inline std::vector<std::int32_t> TokenNumbers(const std::string& token) {
    std::vector<std::int32_t> n;
    for (const char* s = token.c_str() + (std::isdigit(static_cast<unsigned char>(token[0])) ? 0 : 1); *s != 0;) {
        char* end = nullptr;
        n.push_back(static_cast<std::int32_t>(std::strtol(s, &end, 10)));
        s = *end != 0 ? end + 1 : end;
    }
    return n;
}

// Code n[0] on p with the parameters after it: an instruction runs, any
// other unit is attached.
inline void RunCode(AZ_Presenter* p, const std::vector<std::int32_t>& n) {
    const ScriptParams params(std::vector<std::int32_t>(n.begin() + 1, n.end()));
    if (n[0] >= AZ_FIRST_INSTRUCTION) AZ_GetUnit(n[0]).instruction(p, 0, params.View());
    else AZ_GetManager()->dispatch(AZ_MODE_ATTACH, p, n[0], p->attach(n[0]), 0, 0, params.View());
}

// Takes the recorded calls out and appends each handled event but a
// state's entry (162) as "frame:event", with "/id" when a character other
// than p handled it.
inline void TraceHandledEvents(std::vector<AZ_HookCall>& calls, const AZ_Presenter* p, std::int32_t frame,
                               std::string& trace) {
    for (const AZ_HookCall& call : calls) {
        if (call.hook != AZ_Hook::HandlerBegin || call.args[0] == 162) continue;
        trace.append(std::to_string(frame)).append(":").append(std::to_string(call.args[0]));
        if (call.presenter != p) trace.append("/").append(std::to_string(call.presenter->getId()));
        trace.append(" ");
    }
    calls.clear();
}
