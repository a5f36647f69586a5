// SPrintf against the C library's snprintf on a typical hex dump line and a
// typical score line.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "platform/shared/core/Printf.h"

namespace {

void BM_SPrintfDumpLine(benchmark::State& state) {
    char line[64];
    unsigned offset = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SPrintf(line, "%s: %04x: %02x %02x %c", "socket", offset, offset & 0xFF, 7u, 'a'));
        ++offset;
    }
}
BENCHMARK(BM_SPrintfDumpLine);

void BM_SnprintfDumpLine(benchmark::State& state) {
    char line[64];
    unsigned offset = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            std::snprintf(line, sizeof line, "%s: %04x: %02x %02x %c", "socket", offset, offset & 0xFF, 7u, 'a'));
        ++offset;
    }
}
BENCHMARK(BM_SnprintfDumpLine);

void BM_SPrintfScoreLine(benchmark::State& state) {
    char line[64];
    int score = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SPrintf(line, "Score %8d  Lives %d  %-10s|", score, 3, "Level 2"));
        score += 37;
    }
}
BENCHMARK(BM_SPrintfScoreLine);

void BM_SnprintfScoreLine(benchmark::State& state) {
    char line[64];
    int score = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::snprintf(line, sizeof line, "Score %8d  Lives %d  %-10s|", score, 3, "Level 2"));
        score += 37;
    }
}
BENCHMARK(BM_SnprintfScoreLine);

void BM_SWPrintfScoreLine(benchmark::State& state) {
    char16_t line[64];
    int score = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SWPrintf(line, u"Score %8d  Lives %d  %-10s|", score, 3, u"Level 2"));
        score += 37;
    }
}
BENCHMARK(BM_SWPrintfScoreLine);

}  // namespace
