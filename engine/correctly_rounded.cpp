// Correct rounding in two steps: a double-double estimate with a relative
// error bound (about 2^-98; each estimate says where its share comes from, and
// the tests measure the actual error against MPFR), then a rounding that
// checks whether the whole error interval rounds to one double. Integer powers
// up to 64 skip the estimate: they are computed exactly in integers.
#include "engine/correctly_rounded.h"

#include <cstdint>
#include <cstring>
#include <limits>

#include "engine/math_tables.h"

namespace exact_math {
namespace {

using std::int64_t;
using std::uint32_t;
using std::uint64_t;

constexpr uint64_t kSignBit = 0x8000000000000000ull;
constexpr uint64_t kFractionBits = 0x000fffffffffffffull;

uint64_t bitsOf(double x) {
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

double fromBits(uint64_t bits) {
    double x;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

double absolute(double x) {
    return fromBits(bitsOf(x) & ~kSignBit);
}

// 2^n for -1022 <= n <= 1023.
double powerOfTwo(int n) {
    return fromBits(static_cast<uint64_t>(n + 1023) << 52);
}

// The exponent e of a normal x, 2^e <= |x| < 2^(e+1).
int exponentOf(double x) {
    return static_cast<int>((bitsOf(x) >> 52) & 0x7ff) - 1023;
}

// x * 2^n for 1 <= x < 2^54 and -2022 <= n <= 2023: exact whenever the
// result is normal, infinity when it overflows.
double scale(double x, int n) {
    if (n > 1000) {
        x *= 0x1p1000;
        n -= 1000;
    }
    if (n < -1000) {
        x *= 0x1p-1000;
        n += 1000;
    }
    return x * powerOfTwo(n);
}

// x rounded to an integer, ties to even, for |x| < 2^51: adding 1.5 * 2^52
// leaves no fraction bits.
double nearestInteger(double x) {
    return (x + 0x1.8p52) - 0x1.8p52;
}

// The correctly rounded value of (v.hi + v.lo) * 2^n for v.hi > 0, |v.lo| <
// v.hi / 2^50. Values below 2^-1021 are rounded on the grid of multiples of
// 2^-1074, where the subnormals live, in one step.
double roundScaled(DoubleDouble v, int n) {
    v = fastTwoSum(v.hi, v.lo); // now |lo| <= ulp(hi) / 2 and hi = RN(hi + lo)
    const int e = exponentOf(v.hi);
    if (e + n > -1022) {
        return scale(v.hi, n);
    }
    const int s = n + 1074; // in units of 2^-1074 the value is (hi + lo) * 2^s
    if (e + s < -1) {
        return 0.0; // below half the smallest subnormal
    }
    const double units = v.hi * powerOfTwo(s); // exact: s is small here
    if (units >= 0x1p52) {
        return units * 0x1p-1074; // already an integer, and hi = RN(hi + lo)
    }
    double q = (units + 0x1p52) - 0x1p52; // ties to even
    const double d = units - q;           // exact
    // lo decides only when hi sits on a half unit; elsewhere |lo| is too small
    // to reach the next half.
    if (d == 0.5 && v.lo > 0.0) {
        q += 1.0;
    } else if (d == -0.5 && v.lo < 0.0) {
        q -= 1.0;
    }
    return q * 0x1p-1074;
}

// Horner's scheme for sum c[i] * u^i, i = 0..degree: the terms from
// firstDouble on are small enough for plain doubles, the others need the full
// precision. Each double-double step is a product (error 7 * 2^-106) and a sum
// in which the coefficient dominates (|u * partial sum| < |c[i]| / 2 in all
// the series here, error 2 * 2^-106); u's split is made once.
DoubleDouble polynomial(DoubleDouble u, const DoubleDouble* c, const double* signs, int degree, int firstDouble) {
    double tail = signs[degree] * c[degree].hi;
    for (int i = degree - 1; i >= firstDouble; --i) {
        tail = signs[i] * c[i].hi + u.hi * tail;
    }
    const DoubleDouble uSplit = split(u.hi);
    DoubleDouble sum = {tail, 0.0};
    for (int i = firstDouble - 1; i >= 0; --i) {
        const double productHi = sum.hi * u.hi;
        const DoubleDouble sSplit = split(sum.hi);
        double productLo = ((sSplit.hi * uSplit.hi - productHi) + sSplit.hi * uSplit.lo + sSplit.lo * uSplit.hi) +
                           sSplit.lo * uSplit.lo;
        productLo += sum.hi * u.lo + sum.lo * u.hi;
        const double coefficientHi = signs[i] * c[i].hi;
        const double hi = coefficientHi + productHi;
        double lo = productHi - (hi - coefficientHi); // exact, as |coefficient| > |product|
        lo += signs[i] * c[i].lo + productLo;
        sum = fastTwoSum(hi, lo);
    }
    return sum;
}

constexpr double kAlternating[31] = {1, -1, 1, -1, 1, -1, 1, -1, 1, -1, 1, -1, 1, -1, 1, -1,
                                     1, -1, 1, -1, 1, -1, 1, -1, 1, -1, 1, -1, 1, -1, 1};
constexpr double kPositive[31] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
                                  1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

// Taylor coefficients of sin r / r = sum (-1)^i u^i / (2i + 1)! and of
// cos r = sum (-1)^i u^i / (2i)!, in u = r^2.
struct TrigCoefficients {
    DoubleDouble sine[14];
    DoubleDouble cosine[15];
};

constexpr TrigCoefficients makeTrigCoefficients() {
    TrigCoefficients t{};
    for (int i = 0; i < 14; ++i) {
        t.sine[i] = kInverseFactorial[2 * i + 1];
    }
    for (int i = 0; i < 15; ++i) {
        t.cosine[i] = kInverseFactorial[2 * i];
    }
    return t;
}
constexpr TrigCoefficients kTrig = makeTrigCoefficients();

// sin(r + q pi/2) for |r| <= pi/4 + 2^-40. With u = r^2 <= 0.62 the series end
// below 2^-110 (sine: 13 powers of u, cosine: 14); the terms after u^7 (sine)
// and u^8 (cosine) are below 2^-50 and go in plain doubles.
DoubleDouble sineOfReduced(DoubleDouble r, int quadrant) {
    const DoubleDouble u = multiply(r, r);
    DoubleDouble s;
    if ((quadrant & 1) == 0) {
        s = multiply(polynomial(u, kTrig.sine, kAlternating, 13, 8), r);
    } else {
        s = polynomial(u, kTrig.cosine, kAlternating, 14, 9);
    }
    return (quadrant & 2) == 0 ? s : negate(s);
}

// x - k pi/2 for |x| < 2^20, k = nearest integer to x 2/pi. k times each of
// the first three parts of pi/2 is exact, and so is x - k P1 (Sterbenz: x and
// k P1 lie within a factor 3/2 of each other). The absolute error is below
// 2^-104 |r| + |k| 2^-150.
DoubleDouble reduceSmall(double x, double k) {
    const double a = x - k * kHalfPiParts[0];
    const DoubleDouble h1 = twoSum(a, -k * kHalfPiParts[1]);
    const DoubleDouble h2 = twoSum(h1.hi, -k * kHalfPiParts[2]);
    const DoubleDouble p4 = twoProduct(k, kHalfPiParts[3]);
    const double low = ((h1.lo + h2.lo) - p4.hi) - p4.lo;
    return twoSum(h2.hi, low);
}

// x mod pi/2 for |x| >= 2^20 (Payne and Hanek): the bits of x 2/pi around the
// binary point come from a window of ten words of 2/pi, the words before it
// only adding multiples of 4. Returns r and sets the quadrant.
DoubleDouble reduceLarge(double x, int& quadrant, double& fractionMagnitude) {
    const uint64_t bits = bitsOf(x);
    const uint64_t mantissa = (bits & kFractionBits) | (1ull << 52);
    const int exponent = static_cast<int>((bits >> 52) & 0x7ff) - 1075; // |x| = mantissa 2^exponent
    // Fold exponent = 32 a + b, 0 <= b < 32, into the mantissa so the binary
    // point falls on a word boundary.
    const int a = exponent >= 0 ? exponent / 32 : -((31 - exponent) / 32);
    const int b = exponent - 32 * a;
    const uint64_t low = mantissa << b;
    const uint32_t m[3] = {static_cast<uint32_t>(low), static_cast<uint32_t>(low >> 32),
                           b == 0 ? 0u : static_cast<uint32_t>(mantissa >> (64 - b))};

    constexpr int kWindow = 10;
    const int first = a >= 1 ? a - 1 : 0; // word `first` is the first whose product is not a multiple of 4
    uint32_t window[kWindow];             // least significant first
    for (int t = 0; t < kWindow; ++t) {
        window[t] = kTwoOverPiWords[first + kWindow - 1 - t];
    }
    constexpr int kProductWords = kWindow + 3;
    uint32_t product[kProductWords] = {};
    for (int i = 0; i < 3; ++i) {
        uint64_t carry = 0;
        for (int t = 0; t < kWindow; ++t) {
            const uint64_t sum = static_cast<uint64_t>(m[i]) * window[t] + product[i + t] + carry;
            product[i + t] = static_cast<uint32_t>(sum);
            carry = sum >> 32;
        }
        product[i + kWindow] = static_cast<uint32_t>(carry);
    }
    // x 2/pi = product * 2^(32 (a - first - kWindow)): the words below
    // `point` are the fraction.
    const int point = first + kWindow - a;
    auto word = [&](int index) { return index >= 0 && index < kProductWords ? product[index] : 0u; };

    int q = static_cast<int>(word(point) & 3);
    uint32_t fraction[kProductWords] = {}; // most significant first
    for (int t = 0; t < point; ++t) {
        fraction[t] = word(point - 1 - t);
    }
    double sign = 1.0;
    if ((fraction[0] & 0x80000000u) != 0) { // fraction >= 1/2: take it from the next integer
        q += 1;
        sign = -1.0;
        uint64_t borrow = 0;
        for (int t = point - 1; t >= 0; --t) {
            const uint64_t d = 0ull - fraction[t] - borrow;
            fraction[t] = static_cast<uint32_t>(d);
            borrow = fraction[t] != 0 || borrow != 0 ? 1 : 0;
        }
    }
    int top = 0;
    while (top < point - 1 && fraction[top] == 0) {
        ++top;
    }
    DoubleDouble f = {0.0, 0.0};
    for (int t = top; t < top + 5 && t < point; ++t) {
        const double part = static_cast<double>(fraction[t]) * powerOfTwo(-32 * (t + 1));
        f = t == top ? DoubleDouble{part, 0.0} : add(f, part);
    }
    fractionMagnitude = f.hi;
    quadrant = x < 0.0 ? -q : q;
    const DoubleDouble halfPi = add(twoSum(kHalfPiParts[0], kHalfPiParts[1]), kHalfPiParts[2]);
    const DoubleDouble r = multiply(f, halfPi);
    return x < 0.0 ? DoubleDouble{-sign * r.hi, -sign * r.lo} : DoubleDouble{sign * r.hi, sign * r.lo};
}

// Room for base^n in 32-bit words, least significant first, for a base below
// 2^54 and n up to 64 (n * 54 bits), and a step's carries.
constexpr int kMaxWords = 112;

// base^n exactly; returns the number of words.
int raiseInteger(uint32_t (&p)[kMaxWords], uint64_t base, int n) {
    p[0] = 1;
    int words = 1;
    const uint32_t m0 = static_cast<uint32_t>(base);
    const uint32_t m1 = static_cast<uint32_t>(base >> 32);
    for (int k = 0; k < n; ++k) {
        // p = p * (m0 + m1 2^32): the m0 row and the m1 row one word up.
        uint64_t carry0 = 0;
        uint64_t carry1 = 0;
        uint32_t previous = 0; // p[i - 1] before this step, for the m1 row
        for (int i = 0; i < words; ++i) {
            const uint32_t current = p[i];
            const uint64_t t0 = static_cast<uint64_t>(current) * m0 + carry0;
            const uint64_t t1 = static_cast<uint64_t>(previous) * m1 + carry1 + static_cast<uint32_t>(t0);
            p[i] = static_cast<uint32_t>(t1);
            carry0 = t0 >> 32;
            carry1 = t1 >> 32;
            previous = current;
        }
        const uint64_t t1 = static_cast<uint64_t>(previous) * m1 + carry1 + carry0;
        p[words] = static_cast<uint32_t>(t1);
        p[words + 1] = static_cast<uint32_t>(t1 >> 32);
        words += 2;
        while (words > 1 && p[words - 1] == 0) {
            --words;
        }
    }
    return words;
}

// A positive finite double as odd * 2^exponent.
void oddAndExponent(double x, uint64_t& odd, int& exponent) {
    const uint64_t bits = bitsOf(x);
    if ((bits >> 52) == 0) {
        odd = bits & kFractionBits;
        exponent = -1074;
    } else {
        odd = (bits & kFractionBits) | (1ull << 52);
        exponent = static_cast<int>(bits >> 52) - 1075;
    }
    while ((odd & 1) == 0) {
        odd >>= 1;
        ++exponent;
    }
}

// |x|^n for an integer 3 <= n <= 64 and finite |x| > 0: the mantissa's n-th
// power is exact in 32-bit words, and it is rounded once, to a normal or a
// subnormal double or to infinity.
double exactIntegerPower(double ax, int n) {
    uint64_t mantissa; // odd: fewer words for short mantissas, such as a float's
    int exponent;
    oddAndExponent(ax, mantissa, exponent);
    uint32_t p[kMaxWords];
    const int words = raiseInteger(p, mantissa, n);
    int length = 32 * (words - 1);
    for (uint32_t top = p[words - 1]; top != 0; top >>= 1) {
        ++length;
    }
    const int power = n * exponent; // |x|^n = p * 2^power
    if (power + length - 1 > 1023) {
        return std::numeric_limits<double>::infinity();
    }
    int drop = length - 53; // bits below the last one kept
    if (-1074 - power > drop) {
        drop = -1074 - power; // subnormal: keep only bits down to 2^-1074
    }
    if (drop < 0) {
        drop = 0;
    }
    // Bits [from, from + 64) of p, zeros beyond its ends.
    auto bitsFrom = [&](int from) {
        uint64_t result = 0;
        for (int i = 0; i < 3; ++i) {
            const int w = (from >= 0 ? from / 32 : -((31 - from) / 32)) + i;
            const uint64_t value = w >= 0 && w < words ? p[w] : 0u;
            const int shift = 32 * w - from; // where word w's bit 0 lands
            if (shift >= 0 && shift < 64) {
                result |= value << shift;
            } else if (shift < 0 && shift > -32) {
                result |= value >> -shift;
            }
        }
        return result;
    };
    const uint64_t keptMask = drop >= length ? 0 : (~0ull >> (64 - (length - drop)));
    uint64_t kept = bitsFrom(drop) & keptMask;
    if (drop > 0) {
        const bool roundBit = ((bitsFrom(drop - 1) & 1) != 0);
        bool sticky = false;
        for (int w = 0; w < words && 32 * w < drop - 1 && !sticky; ++w) {
            const int below = drop - 1 - 32 * w; // bits of word w under the round bit
            sticky = (below >= 32 ? p[w] : p[w] & ((1u << below) - 1)) != 0;
        }
        if (roundBit && (sticky || (kept & 1) != 0)) {
            ++kept;
        }
    }
    // kept * 2^(power + drop), kept < 2^54: exact unless it overflows.
    const int e = power + drop;
    if (e < -1022) {
        return static_cast<double>(kept) * powerOfTwo(e + 1074) * 0x1p-1074;
    }
    return scale(static_cast<double>(kept), e);
}

// Whether x^y is exactly halfway between the positive doubles with bit
// patterns lower and lower + 1. With y = p / 2^k (p odd) that needs x^p =
// m^(2^k); writing x = X 2^a and m = M 2^b with X and M odd, a p = b 2^k and
// X^p = M^(2^k). As M has at most 54 bits and X at most 53, X > 1 forces X =
// R^(2^k) and M = R^p for an odd R >= 3, so k <= 5 and p <= 34; X = 1 makes
// x^y a power of two, built exactly before any estimate. An integer y (k = 0)
// cannot give a halfway case past the exact powers up to 64.
bool isHalfway(double ax, double y, uint64_t lower) {
    if (y <= 0.0) {
        return false;
    }
    uint64_t p;
    int yExponent;
    oddAndExponent(y, p, yExponent);
    const int k = -yExponent;
    if (k < 1 || k > 5 || p > 34) {
        return false;
    }
    uint64_t m;
    int b;
    if ((lower >> 52) == 0) {
        m = 2 * (lower & kFractionBits) + 1;
        b = -1075;
    } else {
        m = 2 * ((lower & kFractionBits) | (1ull << 52)) + 1;
        b = static_cast<int>(lower >> 52) - 1076;
    }
    uint64_t xOdd;
    int a;
    oddAndExponent(ax, xOdd, a);
    if (static_cast<int64_t>(a) * static_cast<int64_t>(p) != static_cast<int64_t>(b) * (1 << k)) {
        return false;
    }
    uint32_t left[kMaxWords];
    uint32_t right[kMaxWords];
    const int words = raiseInteger(left, xOdd, static_cast<int>(p));
    if (raiseInteger(right, m, 1 << k) != words) {
        return false;
    }
    for (int i = 0; i < words; ++i) {
        if (left[i] != right[i]) {
            return false;
        }
    }
    return true;
}

double copySign(double magnitude, double sign) {
    return fromBits((bitsOf(magnitude) & ~kSignBit) | (bitsOf(sign) & kSignBit));
}

bool isInteger(double y) {
    const int e = exponentOf(y);
    if (e >= 52) {
        return true;
    }
    if (e < 0) {
        return y == 0.0;
    }
    return (bitsOf(y) & (kFractionBits >> e)) == 0;
}

bool isOddInteger(double y) {
    const int e = exponentOf(y);
    if (e > 52 || e < 0) {
        return false;
    }
    const uint64_t bits = bitsOf(y);
    if (e == 0) {
        return (bits & kFractionBits) == 0; // +-1
    }
    return (bits & (kFractionBits >> e)) == 0 && ((bits >> (52 - e)) & 1) != 0;
}

// e^t for |t.hi| < 746, where t approximates y ln x within 2^-99.9 |t|: ln x
// is good to 2^-100, the product with y adds 2 * 2^-106.
Estimate expEstimate(DoubleDouble t) {
    // e^t = 2^n 2^(j/128) e^r, k = 128 n + j nearest to t 128 / ln 2.
    const double k = nearestInteger(t.hi * 0x1.71547652b82fep+7);
    const double kOver128 = k * 0x1p-7;
    // r = t - k ln2/128: t.hi - k C1/128 is exact (Sterbenz), the next two
    // products are exact, and the sums are good to 2^-104 |r|.
    DoubleDouble r = twoSum(t.hi - kOver128 * kLn2Parts[0], -kOver128 * kLn2Parts[1]);
    r = add(r, t.lo);
    r = add(r, -kOver128 * kLn2Parts[2]);
    r = add(r, -kOver128 * kLn2Parts[3]);
    // |r| <= ln2/256 + 2^-40 < 2^-8.4: e^r = sum r^i / i! ends below 2^-116
    // at i = 10, and from i = 6 on the terms are below 2^-60.
    const DoubleDouble expR = polynomial(r, kInverseFactorial, kPositive, 10, 6);
    const int64_t kInteger = static_cast<int64_t>(k);
    const int64_t j = kInteger & 127;
    const int n = static_cast<int>((kInteger - j) / 128);
    const DoubleDouble value = multiply(kExp2Table[j], expR);
    // The error of t carries over to e^t as a relative error of 2^-99.9 |t|;
    // e^r and the table product add 2^-101.5; a factor 4 to spare.
    const double error = (absolute(t.hi) + 1.0) * 0x1p-98;
    return {value, n, error};
}

} // namespace

Rounding roundEstimate(const Estimate& estimate) {
    DoubleDouble v = estimate.value;
    const bool negative = v.hi < 0.0;
    if (negative) {
        v = negate(v);
    }
    const double delta = estimate.relativeError * v.hi;
    const double below = roundScaled({v.hi, v.lo - delta}, estimate.exponent);
    const double above = roundScaled({v.hi, v.lo + delta}, estimate.exponent);
    const bool certain = below == above;
    const double nearest = certain ? below : roundScaled(v, estimate.exponent);
    return {negative ? -nearest : nearest, certain};
}

Estimate sinEstimate(double x) {
    const double k = nearestInteger(x * 0x1.45f306dc9c883p-1); // 2/pi
    if (absolute(x) < 0x1p20) {
        const DoubleDouble r = reduceSmall(x, k);
        const int quadrant = static_cast<int>(static_cast<int64_t>(k) & 3);
        // 2^-101 from the series and the products, the reduction's share
        // relative to r, and a factor 4 to spare.
        const double error = 0x1p-99 + absolute(k) * 0x1p-148 / absolute(r.hi);
        return {sineOfReduced(r, quadrant), 0, error};
    }
    int quadrant = 0;
    double fraction = 0.0;
    const DoubleDouble r = reduceLarge(x, quadrant, fraction);
    // The window's truncation leaves below 2^-200 of x 2/pi.
    const double error = 0x1p-99 + 0x1p-198 / fraction;
    return {sineOfReduced(r, quadrant & 3), 0, error};
}

DoubleDouble naturalLog(double x) {
    uint64_t bits = bitsOf(x);
    int e = 0;
    if ((bits >> 52) == 0) { // subnormal: make it normal, exactly
        bits = bitsOf(x * 0x1p54);
        e = -54;
    }
    e += static_cast<int>(bits >> 52) - 1023;
    const int j = static_cast<int>(bits >> 45) & 127;
    double m = fromBits((bits & kFractionBits) | (1023ull << 52));
    if (j >= 53) {
        m *= 0.5;
        e += 1;
    }
    const LogTableEntry& entry = kLogTable[j];
    // z = m r - 1 exactly: the product as hi + lo, and hi - 1 is exact
    // because hi lies within 2^-7 of 1.
    const DoubleDouble p = twoProduct(m, entry.reciprocal);
    const DoubleDouble z = twoSum(p.hi - 1.0, p.lo);
    // ln(1 + z) = z sum (-1)^i z^i / (i + 1); with |z| <= 2^-7 the terms end
    // below 2^-110 at i = 15, and from i = 8 on they are below 2^-56 of z.
    const DoubleDouble logOnePlusZ = multiply(polynomial(z, kInverse + 1, kAlternating, 15, 8), z);
    // e ln 2: the first three products are exact (|e| < 2^11, 35-bit parts).
    const double scaledE = static_cast<double>(e);
    DoubleDouble sum = twoSum(scaledE * kLn2Parts[0], scaledE * kLn2Parts[1]);
    sum = add(sum, scaledE * kLn2Parts[2]);
    sum = add(sum, scaledE * kLn2Parts[3]);
    // |ln m| <= 0.35 never cancels more than half of e ln 2, and the table
    // entry is zero where ln(1 + z) could cancel it.
    sum = add(sum, entry.minusLog);
    return add(sum, logOnePlusZ);
}

Estimate powEstimate(double x, double y) {
    return expEstimate(multiply(naturalLog(x), y));
}

} // namespace exact_math

using namespace exact_math;

double correctlyRoundedSin(double x) {
    if (x - x != 0.0) {
        return x - x; // NaN for NaN and infinities
    }
    if (absolute(x) < 0x1p-26) {
        return x; // |sin x - x| < 2^-54.5 |x|: x is the nearest double
    }
    return roundEstimate(sinEstimate(x)).value;
}

double correctlyRoundedPow(double x, double y) {
    if (y == 0.0 || x == 1.0) {
        return 1.0; // even for a NaN in the other argument
    }
    if (x != x || y != y) {
        return x + y;
    }
    const double ax = absolute(x);
    const double ay = absolute(y);
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    if (ay == kInfinity) {
        if (x == -1.0) {
            return 1.0;
        }
        return (ax < 1.0) == (y < 0.0) ? kInfinity : 0.0;
    }
    const bool odd = isOddInteger(y);
    if (x == 0.0) {
        if (y < 0.0) {
            return odd ? copySign(kInfinity, x) : kInfinity;
        }
        return odd ? x : 0.0;
    }
    if (ax == kInfinity) {
        if (x > 0.0) {
            return y < 0.0 ? 0.0 : kInfinity;
        }
        if (y < 0.0) {
            return odd ? -0.0 : 0.0;
        }
        return odd ? -kInfinity : kInfinity;
    }
    if (x < 0.0 && !isInteger(y)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    const double sign = x < 0.0 && odd ? -1.0 : 1.0;
    // One IEEE operation each, so rounded correctly.
    if (y == 1.0) {
        return x;
    }
    if (y == 2.0) {
        return x * x;
    }
    if (y == -1.0) {
        return 1.0 / x;
    }
    if (y == 3.0 && (bitsOf(ax) & 0x7ffffffull) == 0 && ax >= 0x1p-511 && ax < 0x1p511) {
        return x * x * x; // x * x is exact for a mantissa of 26 bits (a float's has 24): one rounding
    }
    if (y >= 3.0 && y <= 64.0 && isInteger(y)) {
        return sign * exactIntegerPower(ax, static_cast<int>(y));
    }
    if (ax == 1.0) {
        return sign;
    }
    // |ln x| >= 2^-54 for x != 1, so |y| >= 2^64 leaves no finite non-zero
    // result; below that y ln x stays far from overflowing.
    if (ay >= 0x1p64) {
        return (ax > 1.0) == (y > 0.0) ? kInfinity : 0.0;
    }
    // A power of two to a power that makes the exponent an integer is exact,
    // and 2^-1075 lies exactly halfway between 0 and the smallest subnormal:
    // no estimate can round that, so these are built directly.
    const uint64_t axBits = bitsOf(ax);
    if ((axBits & kFractionBits) == 0 || ((axBits >> 52) == 0 && (axBits & (axBits - 1)) == 0)) {
        int a = exponentOf(ax);
        if ((axBits >> 52) == 0) { // subnormal: its single bit sets the exponent
            a = -1074;
            for (uint64_t b = axBits; b > 1; b >>= 1) {
                ++a;
            }
        }
        const DoubleDouble ay2 = twoProduct(static_cast<double>(a), y);
        if (ay2.lo == 0.0 && isInteger(ay2.hi)) {
            const double e = ay2.hi;
            if (e >= 1024.0) {
                return sign * kInfinity;
            }
            if (e < -1074.0) {
                return sign * 0.0; // 2^-1075 ties to the even 0
            }
            const int n = static_cast<int>(e);
            return sign * (n < -1022 ? powerOfTwo(n + 1074) * 0x1p-1074 : powerOfTwo(n));
        }
    }
    const DoubleDouble product = multiply(naturalLog(ax), y);
    const double t = product.hi;
    if (t > 709.79) { // above ln(DBL_MAX) + 2^-40
        return sign * kInfinity;
    }
    if (t < -745.14) { // below ln(2^-1075) - 2^-40: less than half the smallest subnormal
        return sign * 0.0;
    }
    if (absolute(t) < 0x1p-80) {
        return sign; // e^t within 2^-79 of 1
    }
    const Rounding rounded = roundEstimate(expEstimate(product));
    const uint64_t bits = bitsOf(rounded.value);
    if (!rounded.certain && bits != 0 && bits < 0x7ff0000000000000ull) {
        // However precise, an estimate cannot round an exact halfway case:
        // those go to the neighbour with the even last bit.
        if (isHalfway(ax, y, bits - 1)) {
            return sign * fromBits((bits & 1) == 0 ? bits : bits - 1);
        }
        if (isHalfway(ax, y, bits)) {
            return sign * fromBits((bits & 1) == 0 ? bits : bits + 1);
        }
    }
    return sign * rounded.value;
}
