// SPrintf and SNPrintf against the C library's snprintf on the game's typical
// lines: a hex dump line, a score line and a long log line.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "platform/shared/core/Printf.h"

namespace {

char g_line[256];
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
BENCHMARK_CAPTURE(BM_Line, DumpSNPrintf, [](unsigned n) {
    return SNPrintf(g_line, sizeof g_line, "%s: %04x: %02x %02x %c", "socket", n, n & 0xFF, 7u, 'a');
});
BENCHMARK_CAPTURE(BM_Line, ScoreSPrintf, [](unsigned n) {
    return SPrintf(g_line, "Score %8u  Lives %d  %-10s|", n, 3, "Level 2");
});
BENCHMARK_CAPTURE(BM_Line, ScoreSnprintf, [](unsigned n) {
    return std::snprintf(g_line, sizeof g_line, "Score %8u  Lives %d  %-10s|", n, 3, "Level 2");
});
BENCHMARK_CAPTURE(BM_Line, ScoreSNPrintf, [](unsigned n) {
    return SNPrintf(g_line, sizeof g_line, "Score %8u  Lives %d  %-10s|", n, 3, "Level 2");
});
BENCHMARK_CAPTURE(BM_Line, ScoreSWPrintf, [](unsigned n) {
    return SWPrintf(g_wideLine, u"Score %8u  Lives %d  %-10s|", n, 3, u"Level 2");
});


// A log line of about 200 characters.
#define LOG_LINE                                                                                              \
    "RESOURCE: bank %s loaded %u of %u entries (%d bytes, %d compressed) in %d ms; cache %u/%u, id 0x%08X, " \
    "frame %u, queue %d, slice %-8s|%5d|%x"
#define LOG_ARGS(n) "level_03_forest", n % 97, 97u, 123456, 45678, 31, n & 0xFF, 256u, n, n, 4, "sprites", -42, n
BENCHMARK_CAPTURE(BM_Line, LogSPrintf, [](unsigned n) { return SPrintf(g_line, LOG_LINE, LOG_ARGS(n)); });
BENCHMARK_CAPTURE(BM_Line, LogSNPrintf,
                  [](unsigned n) { return SNPrintf(g_line, sizeof g_line, LOG_LINE, LOG_ARGS(n)); });
BENCHMARK_CAPTURE(BM_Line, LogSnprintf,
                  [](unsigned n) { return std::snprintf(g_line, sizeof g_line, LOG_LINE, LOG_ARGS(n)); });

}  // namespace
