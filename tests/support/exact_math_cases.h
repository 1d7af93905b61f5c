// The arguments the engine hands to the correctly rounded sine and power, shared
// by the native tests (checked against MPFR) and the Windows test (checked
// against the native results through digests).
#pragma once

#include <cfloat>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace exact_math_cases {

// The sine table: 13000 steps of 0.002 (as a float, widened), folded into
// (-pi, pi] the way the table builder does.
inline std::vector<double> sineTableArguments() {
    std::vector<double> arguments;
    for (int i = 0; i < 13000; ++i) {
        double x = i * 0.0020000000949949026;
        while (x > 3.14159265) {
            x -= 6.2831853;
        }
        arguments.push_back(x);
    }
    return arguments;
}

struct PowerArguments {
    double base;
    double exponent;
};

// The two exponential tables, 2^e and 3^e for e from -4 to about 12.
inline std::vector<PowerArguments> powerTableArguments() {
    std::vector<PowerArguments> arguments;
    for (const double base : {2.0, 3.0}) {
        for (int i = 0; i < 32000; ++i) {
            arguments.push_back({base, static_cast<double>(i) * static_cast<double>(0.0000625f) * 8.0 - 4.0});
        }
    }
    return arguments;
}

// The exponents of the per-block coefficients.
inline constexpr double kBlockExponents[4] = {0.2, 3.0, 5.0, 2.0};

// Any float a host may send, widened: every 4093rd bit pattern over all 2^32
// (both signs, subnormals, infinities and NaNs included), then the edges.
inline std::vector<double> floatSweep() {
    std::vector<double> values;
    for (std::uint64_t pattern = 0; pattern <= 0xffffffffull; pattern += 4093) {
        const std::uint32_t bits = static_cast<std::uint32_t>(pattern);
        float f;
        std::memcpy(&f, &bits, sizeof f);
        values.push_back(f);
    }
    const float infinity = std::numeric_limits<float>::infinity();
    auto fromBits = [](std::uint32_t bits) {
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    };
    const float edges[] = {0.0f,
                           -0.0f,
                           std::numeric_limits<float>::denorm_min(),
                           -std::numeric_limits<float>::denorm_min(),
                           FLT_MIN,
                           FLT_MAX,
                           -FLT_MAX,
                           1.0f,
                           -1.0f,
                           fromBits(0x3f800001), // just above 1
                           fromBits(0x3f7fffff), // just below 1
                           fromBits(0xbf800001), // just below -1
                           0.5f,
                           2.0f,
                           -2.0f,
                           0.2f,
                           1e-30f,
                           infinity,
                           -infinity,
                           std::numeric_limits<float>::quiet_NaN()};
    for (const float edge : edges) {
        values.push_back(edge);
    }
    return values;
}

// The special cases of C99's pow (Annex F), and a few overflows and underflows.
struct SpecialPower {
    double x;
    double y;
    double expected; // compared bit for bit, so the sign of a zero counts; NaN as any NaN
};

inline std::vector<SpecialPower> specialPowers() {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    return {
        {0.0, -3.0, inf},      {-0.0, -3.0, -inf},        {-0.0, -2.0, inf},    {-0.0, -0.5, inf},
        {0.0, -inf, inf},      {-0.0, -inf, inf},         {0.0, 3.0, 0.0},      {-0.0, 3.0, -0.0},
        {-0.0, 2.0, 0.0},      {-0.0, 0.5, 0.0},          {-0.0, inf, 0.0},     {-1.0, inf, 1.0},
        {-1.0, -inf, 1.0},     {1.0, nan, 1.0},           {1.0, -inf, 1.0},     {1.0, -3.7, 1.0},
        {nan, 0.0, 1.0},       {-inf, -0.0, 1.0},         {-3.0, 0.0, 1.0},     {-2.0, 0.5, nan},
        {-2.0, -1.5, nan},     {0.5, -inf, inf},          {2.0, -inf, 0.0},     {0.5, inf, 0.0},
        {2.0, inf, inf},       {-0.5, -inf, inf},         {-2.0, inf, inf},     {-inf, -3.0, -0.0},
        {-inf, -2.0, 0.0},     {-inf, -0.5, 0.0},         {-inf, 3.0, -inf},    {-inf, 2.0, inf},
        {-inf, 0.5, inf},      {inf, -1.0, 0.0},          {inf, 0.5, inf},      {nan, 1.0, nan},
        {2.0, nan, nan},       {-2.0, 3.0, -8.0},         {-2.0, 5.0, -32.0},   {-2.0, 2.0, 4.0},
        {-0.5, -3.0, -8.0},    {10.0, 400.0, inf},        {-10.0, 401.0, -inf}, {10.0, -400.0, 0.0},
        {-10.0, -401.0, -0.0}, {2.0, 1023.0, 0x1p1023},   {2.0, 1024.0, inf},   {2.0, -1074.0, 0x1p-1074},
        {2.0, -1075.0, 0.0},   {2.0, -1074.5, 0x1p-1074}, {1e200, 2.0, inf},    {1e-200, 3.0, 0.0},
        {1e300, 1e300, inf},   {1e300, -1e300, 0.0},      {0.5, 1e300, 0.0},    {-0.5, 0x1p64, 0.0},
    };
}

inline bool sameDouble(double a, double b) {
    if (a != a || b != b) {
        return a != a && b != b;
    }
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Digests of the correctly rounded results on the sets above, in order, as
// MPFR gives them: the native tests check these against MPFR, the Windows
// test checks its own results against them.
inline constexpr std::uint64_t kSineTableDigest = 0xce2c09186cd06189;
inline constexpr std::uint64_t kPowerTablesDigest = 0xe5bdf240c4cac4a9;
inline constexpr std::uint64_t kBlockExponentDigests[4] = {
    0x969932aa75f6a769, // 0.2
    0x418904c31e717943, // 3
    0xf15c9a39fc03742c, // 5
    0x8c38f126d3081a1c, // 2
};

// FNV-1a over the results' bit patterns; every NaN counts as one pattern, as
// the C library's and ours may carry different payloads.
class Digest {
public:
    void add(double value) {
        std::uint64_t bits = 0x7ff8000000000000ull;
        if (value == value) {
            std::memcpy(&bits, &value, sizeof bits);
        }
        for (int i = 0; i < 8; ++i) {
            hash_ = (hash_ ^ ((bits >> (8 * i)) & 0xff)) * 0x100000001b3ull;
        }
    }
    std::uint64_t value() const { return hash_; }

private:
    std::uint64_t hash_ = 0xcbf29ce484222325ull;
};

} // namespace exact_math_cases
