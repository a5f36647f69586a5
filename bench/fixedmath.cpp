// Per-call cost of the fixed-point operations beside the same work in double.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <random>

#include "platform/shared/math/CMathFixed.h"
#include "platform/shared/math/CVector2d.h"

namespace {

constexpr std::size_t kCount = 1024;

// Operands that cover the game's ranges; non-zero so that they divide.
template <typename T>
std::array<T, kCount> MakeOperands(std::uint32_t seed, std::int32_t low, std::int32_t high) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<std::int32_t> pick(low, high);
    std::array<T, kCount> values{};
    for (auto& v : values) {
        std::int32_t x = pick(rng);
        v = static_cast<T>(x == 0 ? 1 : x);
    }
    return values;
}

template <typename T, typename Op>
void RunBinary(benchmark::State& state, Op op) {
    const auto a = MakeOperands<T>(1, -(1 << 20), 1 << 20);
    const auto b = MakeOperands<T>(2, -(1 << 12), 1 << 12);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(op(a[i], b[i]));
        i = (i + 1) % kCount;
    }
}

template <typename T, typename Op>
void RunUnary(benchmark::State& state, std::int32_t low, std::int32_t high, Op op) {
    const auto a = MakeOperands<T>(3, low, high);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(op(a[i]));
        i = (i + 1) % kCount;
    }
}

void BM_Mul(benchmark::State& s) { RunBinary<std::int32_t>(s, CMathFixed::Mul); }
void BM_MulDouble(benchmark::State& s) { RunBinary<double>(s, [](double a, double b) { return a * b; }); }
void BM_Div(benchmark::State& s) { RunBinary<std::int32_t>(s, CMathFixed::Div); }
void BM_DivDouble(benchmark::State& s) { RunBinary<double>(s, [](double a, double b) { return a / b; }); }
void BM_Sqrt(benchmark::State& s) { RunUnary<std::int32_t>(s, 0, INT32_MAX, CMathFixed::Sqrt); }
void BM_SqrtDouble(benchmark::State& s) {
    RunUnary<double>(s, 0, INT32_MAX, [](double x) { return std::sqrt(x); });
}
void BM_Sin(benchmark::State& s) { RunUnary<std::int32_t>(s, -1'000'000, 1'000'000, CMathFixed::Sin); }
void BM_SinDouble(benchmark::State& s) {
    RunUnary<double>(s, -1'000'000, 1'000'000, [](double a) { return std::sin(a * (3.141592653589793 / 184320.0)); });
}

void BM_Normalize(benchmark::State& state) {
    const auto xs = MakeOperands<std::int32_t>(4, -(1 << 18), 1 << 18);
    const auto ys = MakeOperands<std::int32_t>(5, -(1 << 18), 1 << 18);
    std::size_t i = 0;
    for (auto _ : state) {
        CVector2d v(xs[i], ys[i]);
        benchmark::DoNotOptimize(v.Normalize());
        i = (i + 1) % kCount;
    }
}

void BM_NormalizeDouble(benchmark::State& state) {
    const auto xs = MakeOperands<double>(4, -(1 << 18), 1 << 18);
    const auto ys = MakeOperands<double>(5, -(1 << 18), 1 << 18);
    std::size_t i = 0;
    for (auto _ : state) {
        const double length = std::sqrt(xs[i] * xs[i] + ys[i] * ys[i]);
        double x = xs[i];
        double y = ys[i];
        if (length != 0) {
            x /= length;
            y /= length;
        }
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
        i = (i + 1) % kCount;
    }
}

}  // namespace

BENCHMARK(BM_Mul);
BENCHMARK(BM_MulDouble);
BENCHMARK(BM_Div);
BENCHMARK(BM_DivDouble);
BENCHMARK(BM_Sqrt);
BENCHMARK(BM_SqrtDouble);
BENCHMARK(BM_Sin);
BENCHMARK(BM_SinDouble);
BENCHMARK(BM_Normalize);
BENCHMARK(BM_NormalizeDouble);
