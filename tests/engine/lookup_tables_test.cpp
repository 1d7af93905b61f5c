// The tables against the values that make the instrument's pitch and LFO.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "tests/engine/engine_fixture.h"

namespace {

// The printed values carry 8 significant digits; a float must lie within
// half a unit of the last one.
void expectPrinted(float actual, double printed, int significantDigits = 8) {
    const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(printed))) - (significantDigits - 1));
    EXPECT_LE(std::fabs(actual - printed), 0.5 * unit) << "actual " << actual << ", printed " << printed;
}

TEST(LookupTables, SineEntriesAroundTheCycle) {
    auto engine = makeEngine();
    const float* sine = engine->toneOsc.sineTable;
    expectPrinted(sine[785], 0.9999997, 7);
    expectPrinted(sine[1570], 0.0015925, 5);
    expectPrinted(sine[2356], -0.99999994);
    expectPrinted(sine[3141], -0.001185, 4);
    EXPECT_EQ(sine[0], 0.0f);
    EXPECT_GE(sine[1570], 0.0f) << "the LFO is high for entries 0 to 1570";
    EXPECT_LT(sine[1571], 0.0f);
    EXPECT_EQ(std::memcmp(engine->toneOsc.sineTable, engine->lfoOsc.sineTable, sizeof engine->toneOsc.sineTable), 0);
}

TEST(LookupTables, IncrementRowsOfBothTables) {
    auto engine = makeEngine();
    const float* tone = engine->toneOsc.incrementTable;
    const float* lfo = engine->lfoOsc.incrementTable;
    expectPrinted(tone[0], 1.9586735);
    expectPrinted(tone[8000], 31.338779);
    expectPrinted(tone[16000], 501.42053);
    expectPrinted(tone[31999], 128319.21);
    expectPrinted(lfo[0], 0.0039041573);
    expectPrinted(lfo[8000], 0.31623679);
    expectPrinted(lfo[16000], 25.615187);
    expectPrinted(lfo[31999], 167969.02);
}

TEST(LookupTables, OneOctavePerEighthOfTheAxis) {
    auto engine = makeEngine();
    const float* tone = engine->toneOsc.incrementTable;
    for (int row = 0; row + 2000 < kIncrementTableSize; row += 1999) {
        EXPECT_NEAR(tone[row + 2000] / tone[row], 2.0, 1e-5) << "row " << row;
    }
}

} // namespace
