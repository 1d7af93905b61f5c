// Sine and power rounded correctly (to nearest, ties to even) in portable
// double arithmetic. The C libraries of the Linux and the Windows builds may
// differ from each other in the last bit; these functions give the same bits
// everywhere, and the bits a correctly rounded library would give.
//
// They assume the default floating-point environment: rounding to nearest and
// no flushing of subnormals.
#pragma once

#include "engine/double_double.h"

// Correctly rounded for every finite x whose result the rounding test below can
// decide; for the engine's arguments, |x| <= 3.2, the tests show it always can.
// NaN or infinity gives NaN.
double correctlyRoundedSin(double x);

// x^y with the special cases of C99 (pow(x, +-0) = 1, pow(1, y) = 1, NaN for a
// negative x and a non-integer y, signed zeros and infinities, overflow to
// infinity, gradual underflow). An integer y from 2 to 64 is computed exactly
// and rounded once; the other cases are correctly rounded wherever the rounding
// test decides, which the tests show for every argument the engine uses.
double correctlyRoundedPow(double x, double y);

namespace exact_math {

// (value.hi + value.lo) * 2^exponent approximates a result with a relative
// error below relativeError.
struct Estimate {
    DoubleDouble value;
    int exponent;
    double relativeError;
};

struct Rounding {
    double value; // the estimate rounded to nearest double
    bool certain; // every value within the error bound rounds to it
};

// Rounds the estimate as the exact value would be rounded, to a normal or a
// subnormal double, or to infinity, and says whether the error bound allows
// any other result.
Rounding roundEstimate(const Estimate& estimate);

// sin x, for finite |x| >= 2^-26 (below that sin x rounds to x).
Estimate sinEstimate(double x);

// ln x, for finite x > 0, with a relative error below 2^-100.
DoubleDouble naturalLog(double x);

// x^y for finite x > 0, x != 1, and finite y with 2^-80 < |y ln x| < 746, the
// range outside which the result is 1, 0 or infinity without a doubt.
Estimate powEstimate(double x, double y);

} // namespace exact_math
