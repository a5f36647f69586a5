// CHash against std::unordered_map on the same keys, and CVector appends.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <unordered_map>
#include <vector>

#include "platform/shared/core/CHash.h"
#include "platform/shared/core/CVector.h"

namespace {

std::vector<std::uint32_t> Keys(std::size_t n) {
    std::mt19937 rng(42);
    std::vector<std::uint32_t> keys(n);
    for (auto& k : keys) k = rng();
    return keys;
}

void BM_CHashInsert(benchmark::State& state) {
    const auto keys = Keys(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        CHash table;
        table.Init(150, 50, true);
        for (std::uint32_t k : keys) table.Insert(k, k);
        benchmark::DoNotOptimize(table.GetBucket(0));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_UnorderedMapInsert(benchmark::State& state) {
    const auto keys = Keys(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::unordered_map<std::uint32_t, std::uintptr_t> map;
        for (std::uint32_t k : keys) map.emplace(k, k);
        benchmark::DoNotOptimize(map.size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_CHashFind(benchmark::State& state) {
    const auto keys = Keys(static_cast<std::size_t>(state.range(0)));
    CHash table;
    table.Init(150, 50, true);
    for (std::uint32_t k : keys) table.Insert(k, k);
    for (auto _ : state) {
        std::uintptr_t sum = 0;
        for (std::uint32_t k : keys) {
            std::uintptr_t v = 0;
            table.Find(k, &v);
            sum += v;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_UnorderedMapFind(benchmark::State& state) {
    const auto keys = Keys(static_cast<std::size_t>(state.range(0)));
    std::unordered_map<std::uint32_t, std::uintptr_t> map;
    for (std::uint32_t k : keys) map.emplace(k, k);
    for (auto _ : state) {
        std::uintptr_t sum = 0;
        for (std::uint32_t k : keys) sum += map.find(k)->second;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_CVectorAppend100k(benchmark::State& state) {
    for (auto _ : state) {
        CVector v;
        for (std::uintptr_t i = 0; i < 100000; ++i) v.Add(i);
        benchmark::DoNotOptimize(v.GetData());
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}

}  // namespace

BENCHMARK(BM_CHashInsert)->Arg(100)->Arg(1000);
BENCHMARK(BM_UnorderedMapInsert)->Arg(100)->Arg(1000);
BENCHMARK(BM_CHashFind)->Arg(100)->Arg(1000);
BENCHMARK(BM_UnorderedMapFind)->Arg(100)->Arg(1000);
BENCHMARK(BM_CVectorAppend100k);
