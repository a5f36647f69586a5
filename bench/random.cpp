// CRandGen::Next against the standard library's MT19937 (the same
// generator, so the same sequence).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>

#include "platform/shared/core/CRandGen.h"

namespace {

void BM_CRandGenNext(benchmark::State& state) {
    CRandGen random;
    random.Seed(5489);
    for (auto _ : state) benchmark::DoNotOptimize(random.Next());
}
BENCHMARK(BM_CRandGenNext);

void BM_Mt19937(benchmark::State& state) {
    std::mt19937 random(5489);
    for (auto _ : state) benchmark::DoNotOptimize(random());
}
BENCHMARK(BM_Mt19937);

}  // namespace
