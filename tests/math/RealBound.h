// Double-precision references for the fixed-point geometry. A Real is the
// exact value of an expression and a bound on how far the fixed-point
// computation of the same expression can lie from it, both in units of
// 1/1024. Each operation widens the bound by its resolution: a Mul floors
// (below 1 unit), a Div truncates (below 1), CMathFixed::Sqrt steps by 32;
// and by what the operands' bounds carry through it. A comparison whose
// operands lie within their bounds of each other could go either way in
// fixed point: it marks the case unclear, and such cases are not compared.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <map>
#include <random>
#include <string>

namespace ref {

inline bool unclear = false;

struct Real {
    Real() = default;
    Real(double value, double bound = 0) : v(value), e(bound) {}
    double v = 0;
    double e = 0;
};

inline Real operator+(Real a, Real b) { return {a.v + b.v, a.e + b.e}; }
inline Real operator-(Real a, Real b) { return {a.v - b.v, a.e + b.e}; }
inline Real operator-(Real a) { return {-a.v, a.e}; }

inline Real Mul(Real a, Real b) {
    return {a.v * b.v / 1024, (std::fabs(a.v) * b.e + std::fabs(b.v) * a.e + a.e * b.e) / 1024 + 1};
}

inline Real Div(Real a, Real b) {
    const double margin = std::fabs(b.v) - b.e;
    if (margin <= 0) {
        unclear = true;  // the divisor may be 0 in fixed point
        return {0, std::numeric_limits<double>::infinity()};
    }
    const double q = a.v / b.v;
    return {1024 * q, 1024 * (a.e + std::fabs(q) * b.e) / margin + 1};
}

inline Real Sqrt(Real x) {
    const auto root = [](double y) { return 32 * std::sqrt(std::max(y, 0.0)); };
    return {root(x.v), root(x.v + x.e) - root(x.v - x.e) + 32};
}

inline Real Clamp(Real x, double low, double high) { return {std::clamp(x.v, low, high), x.e}; }
inline Real Abs(Real x) { return {std::fabs(x.v), x.e}; }

// Comparisons decide by the exact values and note when the bounds overlap
// (values without a bound are exact in fixed point too).
inline bool Less(Real a, Real b) {
    if (a.e + b.e > 0 && std::fabs(a.v - b.v) <= a.e + b.e) unclear = true;
    return a.v < b.v;
}
inline bool operator<(Real a, Real b) { return Less(a, b); }
inline bool operator>(Real a, Real b) { return Less(b, a); }
inline bool operator<=(Real a, Real b) { return !Less(b, a); }
inline bool operator>=(Real a, Real b) { return !Less(a, b); }
inline int Sign(Real x) { return x < 0 ? -1 : (x > 0 ? 1 : 0); }

// The largest difference seen between fixed results and their references,
// per quantity, over the cases whose decisions were all clear.
class Errors {
public:
    explicit Errors(const char* name) : name_(name) {}
    ~Errors() {
        std::printf("%s: %d cases compared, %d unclear\n", name_, compared_, unclear_);
        for (const auto& [what, seen] : largest_)
            std::printf("  %-14s largest error %7.1f units (largest bound %7.1f)\n", what.c_str(), seen.first,
                        seen.second);
        EXPECT_EQ(failures_, 0) << name_ << ": " << firstFailure_;
        EXPECT_LE(unclear_, (compared_ + unclear_) / 10) << name_ << ": too few clear cases";
    }
    // Ends a case's reference; false when it met an unclear decision.
    bool Clear() {
        const bool clear = !unclear;
        unclear = false;
        ++(clear ? compared_ : unclear_);
        return clear;
    }
    void Near(std::int32_t fixed, Real expected, const char* what) {
        const double error = std::fabs(fixed - expected.v);
        auto& seen = largest_[what];
        seen = {std::max(seen.first, error), std::max(seen.second, expected.e)};
        if (!(error <= expected.e))
            Fail(std::string(what) + " " + std::to_string(fixed) + " vs " + std::to_string(expected.v) + " +- " +
                 std::to_string(expected.e));
    }
    void Same(long long fixed, long long expected, const char* what) {
        if (fixed != expected) Fail(std::string(what) + " " + std::to_string(fixed) + " vs " + std::to_string(expected));
    }

private:
    void Fail(const std::string& message) {
        if (failures_++ == 0) firstFailure_ = message + " (case " + std::to_string(compared_) + ")";
    }
    const char* name_;
    std::map<std::string, std::pair<double, double>> largest_;  // error, bound
    int compared_ = 0;
    int unclear_ = 0;
    int failures_ = 0;
    std::string firstFailure_;
};

// Random cases run by one reference test: fixed seed, a count that keeps
// the sanitizer build to seconds.
#ifdef VK_EXHAUSTIVE_TESTS
constexpr int kCases = 100'000;
#else
constexpr int kCases = 10'000;
#endif

inline std::int32_t Uniform(std::mt19937& rng, double low, double high) {
    return std::uniform_int_distribution<std::int32_t>(static_cast<std::int32_t>(low * 1024),
                                                       static_cast<std::int32_t>(high * 1024))(rng);
}

}  // namespace ref
