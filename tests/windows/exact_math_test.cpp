// The correctly rounded sine and power as compiled into the Windows library:
// on every argument the engine uses they must give the bits the native build
// gives, which the native tests have checked against MPFR. Digests stand for
// the results so no table of expected values needs to exist twice.
#include <gtest/gtest.h>

#include <vector>

#include "engine/correctly_rounded.h"
#include "tests/support/exact_math_cases.h"

namespace {

using namespace exact_math_cases;

TEST(WindowsBuild, SineTableHasTheNativeBits) {
    Digest digest;
    for (const double x : sineTableArguments()) {
        digest.add(correctlyRoundedSin(x));
    }
    EXPECT_EQ(digest.value(), kSineTableDigest);
}

TEST(WindowsBuild, PowerTablesHaveTheNativeBits) {
    Digest digest;
    for (const PowerArguments& a : powerTableArguments()) {
        digest.add(correctlyRoundedPow(a.base, a.exponent));
    }
    EXPECT_EQ(digest.value(), kPowerTablesDigest);
}

TEST(WindowsBuild, BlockCoefficientsHaveTheNativeBitsForAnyFloat) {
    const std::vector<double> sweep = floatSweep();
    for (int e = 0; e < 4; ++e) {
        Digest digest;
        for (const double v : sweep) {
            digest.add(correctlyRoundedPow(v, kBlockExponents[e]));
        }
        EXPECT_EQ(digest.value(), kBlockExponentDigests[e]) << "exponent " << kBlockExponents[e];
    }
}

TEST(WindowsBuild, PowerFollowsC99) {
    for (const SpecialPower& c : specialPowers()) {
        EXPECT_TRUE(sameDouble(correctlyRoundedPow(c.x, c.y), c.expected)) << "pow(" << c.x << ", " << c.y << ")";
    }
}

} // namespace
