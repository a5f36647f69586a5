// The application hook CGameApp::GetBlitter for programs that run the
// engine without the game's application (tests, benchmarks, fuzzers): one
// blitter for the whole program. Included by exactly one source file of
// such a program.
#pragma once

#include "src/CGameApp.h"
#include "src/SoftwareBlitter/CSoftwareBlitter.h"

CSoftwareBlitter* CGameApp::GetBlitter() {
    static CSoftwareBlitter blitter;
    return &blitter;
}
