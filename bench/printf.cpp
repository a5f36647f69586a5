// SPrintf against the C library's snprintf on a typical hex dump line and a
// typical score line.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "platform/shared/core/Printf.h"

namespace {

char g_line[64];
char16_t g_wideLine[64];

// Formats one line per iteration with a changing number.
template <typename FormatLine>
void BM_Line(benchmark::State& state, FormatLine formatLine) {
    unsigned n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(formatLine(n));
        benchmark::ClobberMemory();
        n += 37;
    }
}

BENCHMARK_CAPTURE(BM_Line, DumpSPrintf, [](unsigned n) {
    return SPrintf(g_line, "%s: %04x: %02x %02x %c", "socket", n, n & 0xFF, 7u, 'a');
});
BENCHMARK_CAPTURE(BM_Line, DumpSnprintf, [](unsigned n) {
    return std::snprintf(g_line, sizeof g_line, "%s: %04x: %02x %02x %c", "socket", n, n & 0xFF, 7u, 'a');
});
BENCHMARK_CAPTURE(BM_Line, ScoreSPrintf, [](unsigned n) {
    return SPrintf(g_line, "Score %8u  Lives %d  %-10s|", n, 3, "Level 2");
});
BENCHMARK_CAPTURE(BM_Line, ScoreSnprintf, [](unsigned n) {
    return std::snprintf(g_line, sizeof g_line, "Score %8u  Lives %d  %-10s|", n, 3, "Level 2");
});
BENCHMARK_CAPTURE(BM_Line, ScoreSWPrintf, [](unsigned n) {
    return SWPrintf(g_wideLine, u"Score %8u  Lives %d  %-10s|", n, 3, u"Level 2");
});

}  // namespace
