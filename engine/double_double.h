// Double-double arithmetic: a value is the unevaluated sum hi + lo of two
// doubles with |lo| <= ulp(hi) / 2, about 106 bits. Built from plain IEEE
// double operations only (Dekker's split instead of a fused multiply-add), so
// every build that rounds each operation to nearest double, as SSE2 does on
// i686 and x86-64, computes the same bits.
#pragma once

namespace exact_math {

struct DoubleDouble {
    double hi;
    double lo;
};

// a + b exactly, for any a and b (Knuth).
inline DoubleDouble twoSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// a + b exactly, when |a| >= |b| or a == 0 (Dekker).
inline DoubleDouble fastTwoSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

// Splits a into two halves of at most 26 significant bits each, so that their
// products are exact. Valid for |a| < 2^995.
inline DoubleDouble split(double a) {
    const double c = 134217729.0 * a; // 2^27 + 1
    const double high = c - (c - a);
    return {high, a - high};
}

// a * b exactly, unless the product underflows (Dekker).
inline DoubleDouble twoProduct(double a, double b) {
    const double p = a * b;
    const DoubleDouble x = split(a);
    const DoubleDouble y = split(b);
    const double error = ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo;
    return {p, error};
}

// Relative error at most 7 * 2^-106 (Joldes, Muller and Popescu, "Tight and
// rigorous error bounds for basic building blocks of double-word arithmetic",
// 2017, the product of two double-words without a fused multiply-add).
inline DoubleDouble multiply(DoubleDouble a, DoubleDouble b) {
    DoubleDouble p = twoProduct(a.hi, b.hi);
    p.lo += a.hi * b.lo + a.lo * b.hi;
    return fastTwoSum(p.hi, p.lo);
}

// Relative error at most 2 * 2^-106.
inline DoubleDouble multiply(DoubleDouble a, double b) {
    DoubleDouble p = twoProduct(a.hi, b);
    p.lo += a.lo * b;
    return fastTwoSum(p.hi, p.lo);
}

// Relative error at most 3 * 2^-106 of the sum, also under cancellation.
inline DoubleDouble add(DoubleDouble a, DoubleDouble b) {
    DoubleDouble s = twoSum(a.hi, b.hi);
    const DoubleDouble t = twoSum(a.lo, b.lo);
    s.lo += t.hi;
    s = fastTwoSum(s.hi, s.lo);
    s.lo += t.lo;
    return fastTwoSum(s.hi, s.lo);
}

// Relative error at most 2 * 2^-106 of the sum, also under cancellation.
inline DoubleDouble add(DoubleDouble a, double b) {
    DoubleDouble s = twoSum(a.hi, b);
    s.lo += a.lo;
    return fastTwoSum(s.hi, s.lo);
}

inline DoubleDouble negate(DoubleDouble a) {
    return {-a.hi, -a.lo};
}

} // namespace exact_math
