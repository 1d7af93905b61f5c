// The correctly rounded sine and power against MPFR, on every argument the
// engine uses and on a dense sweep of the floats a host may send; also how
// they stand against glibc's sin and pow.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

#include "engine/correctly_rounded.h"
#include "engine/math_tables.h"
#include "tests/support/exact_math_cases.h"

namespace {

using namespace exact_math;
using namespace exact_math_cases;

// MPFR with the double format's exponent range, so that results are rounded
// once, to subnormals too.
class Mpfr {
public:
    explicit Mpfr(mpfr_prec_t precision = 53) { mpfr_init2(value, precision); }
    ~Mpfr() { mpfr_clear(value); }
    Mpfr(const Mpfr&) = delete;
    Mpfr& operator=(const Mpfr&) = delete;
    mpfr_t value;
};

double roundedToDouble(const std::function<int(mpfr_ptr)>& compute) {
    mpfr_set_emin(-1073);
    mpfr_set_emax(1024);
    Mpfr result;
    const int ternary = compute(result.value);
    mpfr_subnormalize(result.value, ternary, MPFR_RNDN);
    const double rounded = mpfr_get_d(result.value, MPFR_RNDN);
    mpfr_set_emin(mpfr_get_emin_min());
    mpfr_set_emax(mpfr_get_emax_max());
    return rounded;
}

double mpfrSin(double x) {
    return roundedToDouble([x](mpfr_ptr r) {
        Mpfr a;
        mpfr_set_d(a.value, x, MPFR_RNDN);
        return mpfr_sin(r, a.value, MPFR_RNDN);
    });
}

double mpfrPow(double x, double y) {
    return roundedToDouble([x, y](mpfr_ptr r) {
        Mpfr a;
        Mpfr b;
        mpfr_set_d(a.value, x, MPFR_RNDN);
        mpfr_set_d(b.value, y, MPFR_RNDN);
        return mpfr_pow(r, a.value, b.value, MPFR_RNDN);
    });
}

// |estimate - exact| / |exact| over the estimate's own bound, with the exact
// value to 300 bits.
double errorOverBound(const Estimate& estimate, const std::function<void(mpfr_ptr)>& exact) {
    Mpfr reference(300);
    exact(reference.value);
    Mpfr approximation(300);
    mpfr_set_d(approximation.value, estimate.value.hi, MPFR_RNDN);
    mpfr_add_d(approximation.value, approximation.value, estimate.value.lo, MPFR_RNDN);
    mpfr_mul_2si(approximation.value, approximation.value, estimate.exponent, MPFR_RNDN);
    mpfr_sub(approximation.value, approximation.value, reference.value, MPFR_RNDN);
    mpfr_div(approximation.value, approximation.value, reference.value, MPFR_RNDN);
    return std::fabs(mpfr_get_d(approximation.value, MPFR_RNDN)) / estimate.relativeError;
}

double sinErrorOverBound(double x) {
    return errorOverBound(sinEstimate(x), [x](mpfr_ptr r) {
        Mpfr a(300);
        mpfr_set_d(a.value, x, MPFR_RNDN);
        mpfr_sin(r, a.value, MPFR_RNDN);
    });
}

double powErrorOverBound(double x, double y) {
    return errorOverBound(powEstimate(x, y), [x, y](mpfr_ptr r) {
        Mpfr a(300);
        Mpfr b(300);
        mpfr_set_d(a.value, x, MPFR_RNDN);
        mpfr_set_d(b.value, y, MPFR_RNDN);
        mpfr_pow(r, a.value, b.value, MPFR_RNDN);
    });
}

// Counts where the C library misses the correct rounding, and checks ours
// agrees with it everywhere else.
struct LibraryComparison {
    const char* what;  // "sin" or "pow"
    const char* which; // the argument set
    long total = 0;
    long misrounded = 0;
    void check(double library, double correct, double ours, double x, double y = 0.0) {
        ++total;
        if (!sameDouble(library, correct)) {
            if (++misrounded <= 3) {
                if (what[0] == 's') {
                    std::printf("  glibc sin(%a) = %a, correctly rounded %a\n", x, library, correct);
                } else {
                    std::printf("  glibc pow(%a, %a) = %a, correctly rounded %a\n", x, y, library, correct);
                }
            }
            return;
        }
        EXPECT_TRUE(sameDouble(ours, library)) << what << "(" << x << ", " << y << ")";
    }
    ~LibraryComparison() {
        std::printf("glibc %s on %s: %ld of %ld not correctly rounded\n", what, which, misrounded, total);
    }
};

std::string hex(std::uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%016" PRIx64, value);
    return text;
}

TEST(EngineArguments, SineTableIsCorrectlyRoundedAndDecidedWithinTheBound) {
    Digest digest;
    LibraryComparison glibc{"sin", "the sine table"};
    double worst = 0.0;
    for (const double x : sineTableArguments()) {
        const double correct = mpfrSin(x);
        const double ours = correctlyRoundedSin(x);
        ASSERT_TRUE(sameDouble(ours, correct)) << std::hexfloat << "sin(" << x << ")";
        if (std::fabs(x) >= 0x1p-26) { // below, sin x rounds to x without an estimate
            EXPECT_TRUE(roundEstimate(sinEstimate(x)).certain) << std::hexfloat << x;
            worst = std::max(worst, sinErrorOverBound(x));
        }
        glibc.check(std::sin(x), correct, ours, x);
        digest.add(correct);
    }
    std::printf("sine table: largest error %.3g of the bound\n", worst);
    EXPECT_LT(worst, 1.0);
    EXPECT_EQ(hex(digest.value()), hex(kSineTableDigest));
}

TEST(EngineArguments, PowerTablesAreCorrectlyRoundedAndDecidedWithinTheBound) {
    Digest digest;
    LibraryComparison glibc{"pow", "the power tables"};
    double worst = 0.0;
    for (const PowerArguments& a : powerTableArguments()) {
        const double correct = mpfrPow(a.base, a.exponent);
        const double ours = correctlyRoundedPow(a.base, a.exponent);
        ASSERT_TRUE(sameDouble(ours, correct)) << std::hexfloat << "pow(" << a.base << ", " << a.exponent << ")";
        if (a.exponent != 0.0) {
            EXPECT_TRUE(roundEstimate(powEstimate(a.base, a.exponent)).certain) << std::hexfloat << a.exponent;
            worst = std::max(worst, powErrorOverBound(a.base, a.exponent));
        }
        glibc.check(std::pow(a.base, a.exponent), correct, ours, a.base, a.exponent);
        digest.add(correct);
    }
    std::printf("power tables: largest error %.3g of the bound\n", worst);
    EXPECT_LT(worst, 1.0);
    EXPECT_EQ(hex(digest.value()), hex(kPowerTablesDigest));
}

// Each per-block exponent over the sweep of floats. For 0.2 every estimate
// must be decided and within its bound (the error is measured on every 16th
// value, MPFR at 300 bits being slow); 2, 3 and 5 are exact computations.
TEST(EngineArguments, BlockCoefficientsAreCorrectlyRoundedForAnyFloat) {
    const std::vector<double> sweep = floatSweep();
    for (int e = 0; e < 4; ++e) {
        const double y = kBlockExponents[e];
        Digest digest;
        LibraryComparison glibc{"pow", y == 0.2   ? "the sweep, y = 0.2"
                                       : y == 3.0 ? "the sweep, y = 3"
                                       : y == 5.0 ? "the sweep, y = 5"
                                                  : "the sweep, y = 2"};
        double worst = 0.0;
        for (std::size_t i = 0; i < sweep.size(); ++i) {
            const double v = sweep[i];
            const double correct = mpfrPow(v, y);
            const double ours = correctlyRoundedPow(v, y);
            ASSERT_TRUE(sameDouble(ours, correct)) << std::hexfloat << "pow(" << v << ", " << y << ")";
            if (y == 0.2 && v > 0.0 && v != 1.0 && std::isfinite(v)) {
                EXPECT_TRUE(roundEstimate(powEstimate(v, y)).certain) << std::hexfloat << v;
                if (i % 16 == 0) {
                    worst = std::max(worst, powErrorOverBound(v, y));
                }
            }
            glibc.check(std::pow(v, y), correct, ours, v, y);
            digest.add(correct);
        }
        EXPECT_LT(worst, 1.0);
        EXPECT_EQ(hex(digest.value()), hex(kBlockExponentDigests[e])) << "exponent " << y;
    }
}

TEST(SpecialCases, PowerFollowsC99) {
    for (const SpecialPower& c : specialPowers()) {
        EXPECT_TRUE(sameDouble(correctlyRoundedPow(c.x, c.y), c.expected))
            << "pow(" << c.x << ", " << c.y << ") = " << correctlyRoundedPow(c.x, c.y) << ", not " << c.expected;
    }
}

TEST(SpecialCases, SineOfZeroTinyAndNonFiniteArguments) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(std::isnan(correctlyRoundedSin(inf)));
    EXPECT_TRUE(std::isnan(correctlyRoundedSin(-inf)));
    EXPECT_TRUE(std::isnan(correctlyRoundedSin(std::numeric_limits<double>::quiet_NaN())));
    EXPECT_TRUE(sameDouble(correctlyRoundedSin(-0.0), -0.0));
    EXPECT_TRUE(sameDouble(correctlyRoundedSin(0x1p-1074), 0x1p-1074));
    // Just above the threshold where sin x is taken as x.
    for (const double x : {0x1p-26, -0x1.0000000000001p-26, 0x1.fffffffffffffp-26, 1e-7}) {
        EXPECT_TRUE(sameDouble(correctlyRoundedSin(x), mpfrSin(x))) << std::hexfloat << x;
    }
}

// Outside the engine's arguments the functions stay correct wherever the
// rounding test decides; a fixed pseudo-random sample checks the paths the
// engine does not take: huge sine arguments, subnormal and overflowing
// powers, negative bases, integer powers of arbitrary doubles.
TEST(GeneralArguments, RandomSampleMatchesMpfr) {
    std::mt19937_64 random(20240611);
    auto anyDouble = [&random] {
        const std::uint64_t bits = random();
        double x;
        std::memcpy(&x, &bits, sizeof x);
        return x;
    };
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int undecided = 0;
    for (int i = 0; i < 20000; ++i) {
        const double x = anyDouble();
        if (std::isfinite(x)) {
            ASSERT_TRUE(sameDouble(correctlyRoundedSin(x), mpfrSin(x))) << std::hexfloat << "sin(" << x << ")";
        }
        // A base anywhere, an exponent that lands y ln x in [-760, 720],
        // every fifth one an integer.
        const double base = std::fabs(anyDouble());
        if (!std::isfinite(base) || base == 0.0 || base == 1.0) {
            continue;
        }
        double y = (unit(random) * 1480.0 - 760.0) / std::log(base);
        if (i % 5 == 0) {
            y = std::round(y);
        }
        const double signedBase = i % 2 == 0 ? base : -base;
        const double expected = mpfrPow(signedBase, y);
        ASSERT_TRUE(sameDouble(correctlyRoundedPow(signedBase, y), expected))
            << std::hexfloat << "pow(" << signedBase << ", " << y << ")";
        if (std::fabs(y * std::log(base)) < 700.0 && !roundEstimate(powEstimate(base, y)).certain) {
            ++undecided;
        }
    }
    EXPECT_EQ(undecided, 0);
}

// Integer powers of doubles with long mantissas, whose results can fall
// exactly halfway between two doubles.
TEST(GeneralArguments, IntegerPowersAreExactlyRounded) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 5000; ++i) {
        const int n = 3 + static_cast<int>(random() % 62);
        const double mantissa = 1.0 + static_cast<double>(random() >> 12) * 0x1p-52;
        const double x = std::ldexp(mantissa, static_cast<int>(random() % 41) - 20);
        ASSERT_TRUE(sameDouble(correctlyRoundedPow(x, n), mpfrPow(x, n))) << std::hexfloat << x << "^" << n;
        const double shortMantissa = std::ldexp(static_cast<double>(random() % 0x400000u + 0x400000u), -22);
        ASSERT_TRUE(sameDouble(correctlyRoundedPow(shortMantissa, 3.0), mpfrPow(shortMantissa, 3.0)));
    }
    // 3^34, an odd 54-bit integer, lies halfway between two doubles and goes
    // to the even one; (1 + 2^-27)^3 needs 82 bits; the fifth power is subnormal.
    EXPECT_EQ(correctlyRoundedPow(3.0, 34.0), 16677181699666568.0);
    EXPECT_TRUE(sameDouble(correctlyRoundedPow(0x1.0000002p0, 3.0), mpfrPow(0x1.0000002p0, 3.0)));
    EXPECT_TRUE(sameDouble(correctlyRoundedPow(0x1.8p-212, 5.0), mpfrPow(0x1.8p-212, 5.0)));
}

// Non-integer powers whose exact result lies halfway between two doubles:
// for odd N >= 2^(53/3), (N^2)^1.5 = N^3 is an odd 54-bit number, and
// (N^2 2^-430)^2.5 = N^5 2^-1075 an odd multiple of half the smallest
// subnormal. They must go to the even neighbour, as MPFR rounds them.
TEST(GeneralArguments, HalfwayPowersGoToTheEvenNeighbour) {
    for (double n = 262143.0; n > 258000.0; n -= 2.0) {
        const double x = n * n;
        ASSERT_TRUE(sameDouble(correctlyRoundedPow(x, 1.5), mpfrPow(x, 1.5))) << std::hexfloat << x;
    }
    for (double n = 3.0; n < 1000.0; n += 2.0) {
        const double x = std::ldexp(n * n, -430);
        ASSERT_TRUE(sameDouble(correctlyRoundedPow(x, 2.5), mpfrPow(x, 2.5))) << std::hexfloat << x;
    }
    EXPECT_TRUE(sameDouble(correctlyRoundedPow(4.0, -537.5), 0.0)); // 2^-1075
}

// Every constant the estimates rely on is the nearest double or double-double
// to its value, and the parts meant to multiply exactly are short enough.
TEST(Constants, AreTheNearestToTheirValues) {
    Mpfr exact(2000);
    auto expectNearest = [&exact](DoubleDouble stored, const char* what, int index) {
        Mpfr hi(53);
        mpfr_set(hi.value, exact.value, MPFR_RNDN);
        EXPECT_EQ(stored.hi, mpfr_get_d(hi.value, MPFR_RNDN)) << what << " " << index;
        Mpfr rest(2000);
        mpfr_sub_d(rest.value, exact.value, stored.hi, MPFR_RNDN);
        EXPECT_EQ(stored.lo, mpfr_get_d(rest.value, MPFR_RNDN)) << what << " " << index;
    };
    for (int j = 0; j < 128; ++j) {
        mpfr_set_si(exact.value, j, MPFR_RNDN);
        mpfr_div_ui(exact.value, exact.value, 128, MPFR_RNDN);
        mpfr_exp2(exact.value, exact.value, MPFR_RNDN);
        expectNearest(kExp2Table[j], "2^(j/128)", j);

        const double r = kLogTable[j].reciprocal;
        mpfr_set_d(exact.value, r, MPFR_RNDN);
        mpfr_log(exact.value, exact.value, MPFR_RNDN);
        mpfr_neg(exact.value, exact.value, MPFR_RNDN);
        expectNearest(kLogTable[j].minusLog, "-ln r", j);
        // The cell's mantissas, halved from sqrt 2 on, times r stay within
        // 2^-7 of 1 (the reduced argument's range the series is built for).
        const double low = (1.0 + j / 128.0) * (j >= 53 ? 0.5 : 1.0);
        const double high = (1.0 + (j + 1) / 128.0) * (j >= 53 ? 0.5 : 1.0);
        EXPECT_LE(std::fabs(low * r - 1.0), 0x1p-7) << j;
        EXPECT_LE(std::fabs(high * r - 1.0), 0x1p-7) << j;
    }
    mpfr_set_ui(exact.value, 1, MPFR_RNDN);
    for (int n = 0; n <= 30; ++n) {
        if (n > 0) {
            mpfr_div_ui(exact.value, exact.value, n, MPFR_RNDN);
        }
        expectNearest(kInverseFactorial[n], "1/n!", n);
    }
    for (int n = 1; n <= 20; ++n) {
        mpfr_set_ui(exact.value, 1, MPFR_RNDN);
        mpfr_div_ui(exact.value, exact.value, n, MPFR_RNDN);
        expectNearest(kInverse[n], "1/n", n);
    }

    // Each part is the remainder so far rounded to its width.
    auto expectParts = [](const double* parts, const std::vector<int>& widths, mpfr_srcptr value, const char* what) {
        Mpfr remainder(2000);
        mpfr_set(remainder.value, value, MPFR_RNDN);
        for (std::size_t i = 0; i < widths.size(); ++i) {
            Mpfr part(widths[i]);
            mpfr_set(part.value, remainder.value, MPFR_RNDN);
            EXPECT_EQ(parts[i], mpfr_get_d(part.value, MPFR_RNDN)) << what << " part " << i;
            mpfr_sub_d(remainder.value, remainder.value, parts[i], MPFR_RNDN);
        }
    };
    mpfr_const_pi(exact.value, MPFR_RNDN);
    mpfr_div_ui(exact.value, exact.value, 2, MPFR_RNDN);
    expectParts(kHalfPiParts, {33, 33, 33, 53}, exact.value, "pi/2");
    mpfr_const_log2(exact.value, MPFR_RNDN);
    expectParts(kLn2Parts, {35, 35, 35, 53}, exact.value, "ln 2");

    mpfr_const_pi(exact.value, MPFR_RNDN);
    mpfr_ui_div(exact.value, 2, exact.value, MPFR_RNDN);
    for (int i = 0; i < 42; ++i) {
        mpfr_mul_2ui(exact.value, exact.value, 32, MPFR_RNDN);
        const unsigned long word = mpfr_get_ui(exact.value, MPFR_RNDZ);
        EXPECT_EQ(kTwoOverPiWords[i], word) << "2/pi word " << i;
        mpfr_sub_ui(exact.value, exact.value, word, MPFR_RNDN);
    }
}

} // namespace
