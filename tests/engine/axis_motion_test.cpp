// The spring law, step by step.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

#include "engine/axis_lanes.h"
#include "engine/axis_motion.h"

namespace {

constexpr float kInvRate44100 = 1.0f / 44100.0f;
const float kNoSources[kSourceBankSlots] = {};

// Steps records through the lanes; lanes without a record of the test's get
// a resting axis.
class Lanes {
public:
    explicit Lanes(std::initializer_list<AxisRecord*> chosen) {
        int lane = 0;
        for (AxisRecord* axis : chosen) {
            records[lane++] = axis;
        }
        for (; lane < kNumAxes; ++lane) {
            clearAxis(resting[lane]);
            records[lane] = &resting[lane];
        }
    }
    void samples(int count, const float* bank = kNoSources, float invSampleRate = kInvRate44100) {
        AxisLanes lanes;
        lanes.load(records, bank);
        for (int i = 0; i < count; ++i) {
            lanes.step(invSampleRate);
        }
        lanes.store();
    }

private:
    AxisRecord* records[kNumAxes];
    AxisRecord resting[kNumAxes];
};

void stepAxis(AxisRecord& axis, const float* bank, float invSampleRate, int count = 1) {
    Lanes({&axis}).samples(count, bank, invSampleRate);
}

void updateCoefficients(AxisRecord& axis) {
    AxisCoefficientMemo memo;
    updateCoefficients(axis, memo);
}

AxisRecord& restingAxis(AxisRecord& axis, float target, float rate, float overshoot) {
    clearAxis(axis);
    axis.target = target;
    axis.rate = rate;
    axis.overshoot = overshoot;
    axis.staticPos = 0.5f;
    axis.held = true;
    axis.modulators[0].amount = 0.5f;
    axis.modulators[0].rate = 0.5f;
    axis.modulators[0].overshoot = 0.5f;
    return axis;
}

void expectPrinted(float actual, double printed) {
    const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(printed))) - 7);
    EXPECT_LE(std::fabs(actual - printed), 0.5 * unit) << "actual " << actual << ", printed " << printed;
}

TEST(AxisMotion, ThreeSamplesFromRestEvaluatedInDoublePrecision) {
    AxisRecord axis;
    restingAxis(axis, 1.0f, 1.0f, 0.0f);
    updateCoefficients(axis);
    EXPECT_EQ(axis.stiffness, 0.8f);
    EXPECT_EQ(axis.damping, 0.995f);

    stepAxis(axis, kNoSources, kInvRate44100);
    EXPECT_EQ(axis.velocity, 0.8f);
    expectPrinted(axis.pos, 1.8140590e-05);
    stepAxis(axis, kNoSources, kInvRate44100);
    expectPrinted(axis.velocity, 1.5959855);
    // Single-precision steps would give 5.4330740e-05 here.
    EXPECT_EQ(axis.pos, 5.4330736e-05f);
    stepAxis(axis, kNoSources, kInvRate44100);
    expectPrinted(axis.velocity, 2.3879621);
    expectPrinted(axis.pos, 1.0847954e-04);
    EXPECT_EQ(axis.out.load(), axis.pos) << "no modulation at amount 0.5";
}

TEST(AxisMotion, CoefficientsAcrossTheKnobRange) {
    AxisRecord axis;
    restingAxis(axis, 0.0f, 0.5f, 0.5f);
    axis.staticRate = 1.0f;
    updateCoefficients(axis);
    EXPECT_FLOAT_EQ(axis.stiffness, 0.1f);
    EXPECT_NEAR(axis.damping, 0.99935, 5e-6);
    EXPECT_FLOAT_EQ(axis.staticCoeff, 0.8f);

    restingAxis(axis, 0.0f, 0.0f, 1.0f);
    updateCoefficients(axis);
    EXPECT_EQ(axis.stiffness, 0.0f);
    EXPECT_EQ(axis.damping, 1.0f);
    EXPECT_FLOAT_EQ(axis.modulators[0].stiffness, static_cast<float>(0.99 * 0.25));
}

TEST(AxisMotion, ZeroRateNoLongerPullsTheAxis) {
    AxisRecord axis;
    restingAxis(axis, 1.0f, 0.0f, 0.0f);
    axis.velocity = 10.0f;
    updateCoefficients(axis);
    stepAxis(axis, kNoSources, kInvRate44100);
    EXPECT_EQ(axis.accel, 0.0f);
    EXPECT_EQ(axis.velocity, static_cast<float>(10.0 * static_cast<double>(0.995f)));
}

TEST(AxisMotion, FullOvershootOscillatesWithoutDecayAndTheOutputStaysClamped) {
    AxisRecord axis;
    restingAxis(axis, 1.0f, 1.0f, 1.0f);
    updateCoefficients(axis);
    float lowest = 10.0f, highest = -10.0f, maxPos = -10.0f;
    for (int i = 0; i < 44100; ++i) {
        stepAxis(axis, kNoSources, kInvRate44100);
        lowest = std::fmin(lowest, axis.out);
        highest = std::fmax(highest, axis.out);
        maxPos = std::fmax(maxPos, axis.pos);
    }
    EXPECT_GT(maxPos, 1.9f) << "undamped: the swing reaches twice the target";
    EXPECT_EQ(lowest, 0.0f);
    EXPECT_LE(highest, 2.0f);
}

TEST(AxisMotion, ModulatorChasesHalfTheSourceTimesTheAmountOffset) {
    float sources[kSourceBankSlots] = {};
    sources[6] = 1.0f;
    AxisRecord axis;
    restingAxis(axis, 0.5f, 0.0f, 0.0f);
    axis.pos = 0.5f;
    axis.modulators[0].source = 6;
    axis.modulators[0].rate = 1.0f;
    axis.modulators[0].overshoot = 0.0f;
    for (float amount : {0.5f, 1.0f, 0.0f}) {
        axis.modulators[0].amount = amount;
        axis.modulators[0].pos = 0.0f;
        axis.modulators[0].velocity = 0.0f;
        for (int block = 0; block < 200; ++block) {
            updateCoefficients(axis);
            stepAxis(axis, sources, kInvRate44100, 256);
        }
        EXPECT_NEAR(axis.modulators[0].pos, (amount - 0.5) * 1.0, 1e-3) << "amount " << amount;
        EXPECT_NEAR(axis.out, 0.5 + (amount - 0.5), 1e-3) << "amount " << amount;
    }
}

TEST(AxisMotion, SourceSlotsOutsideTheBankReadNothing) {
    float sources[kSourceBankSlots];
    for (float& s : sources) {
        s = 1.0f;
    }
    sources[kSilentSourceSlot] = 0.0f;
    AxisRecord axis;
    restingAxis(axis, 0.5f, 0.0f, 0.0f);
    axis.modulators[0].amount = 1.0f;
    for (std::int32_t slot : {11, 12, -1, -100000, 2147483647}) {
        axis.modulators[0].source = slot;
        stepAxis(axis, sources, kInvRate44100);
        EXPECT_EQ(axis.modulators[0].target, 0.0f) << "slot " << slot;
    }
}

TEST(AxisMotion, ReleasedTargetGlidesHomeAndStaticRateZeroKeepsIt) {
    AxisRecord axis;
    restingAxis(axis, 1.0f, 0.5f, 0.5f);
    axis.held = false;
    axis.staticRate = 0.0f;
    updateCoefficients(axis);
    stepAxis(axis, kNoSources, kInvRate44100, 1000);
    EXPECT_EQ(axis.target.load(), 1.0f);

    axis.staticRate = 1.0f;
    updateCoefficients(axis);
    stepAxis(axis, kNoSources, kInvRate44100);
    EXPECT_FLOAT_EQ(axis.target, 1.0f - 0.5f * 0.8f) << "80 % of the way home in one sample";
}

TEST(AxisMotion, BlockStartSnapsEvenWhileHeldAndFlushesTinyMotion) {
    AxisRecord axis;
    restingAxis(axis, 0.50009f, 0.5f, 0.5f);
    axis.pos = 0.50015f;
    axis.velocity = 0.000009f;
    axis.modulators[0].pos = -0.000009f;
    axis.modulators[0].velocity = 0.00002f;
    updateCoefficients(axis);
    EXPECT_EQ(axis.pos, 0.50009f) << "position within 0.0001 of its target snaps onto it";
    EXPECT_EQ(axis.target.load(), 0.5f) << "target within 0.0001 of the rest position snaps, though held";
    EXPECT_EQ(axis.velocity, 0.0f);
    EXPECT_EQ(axis.modulators[0].pos, 0.0f);
    EXPECT_EQ(axis.modulators[0].velocity, 0.00002f);
}

TEST(AxisMotion, AnOutputThatIsNoNumberReadsAsZero) {
    AxisRecord axis;
    restingAxis(axis, 1.0f, 1.0f, 0.0f);
    updateCoefficients(axis);
    stepAxis(axis, kNoSources, NAN);
    EXPECT_EQ(axis.pos, 0.0f) << "a position that is no number is 0.0 when the block ends";
    EXPECT_EQ(axis.out.load(), 0.0f);
}

TEST(AxisMotion, EveryLaneComputesExactlyLikeTheFirst) {
    float bank[kSourceBankSlots] = {};
    bank[6] = -0.7f;
    AxisRecord together[kNumAxes];
    AxisRecord alone[kNumAxes];
    for (int lane = 0; lane < kNumAxes; ++lane) {
        for (AxisRecord* axis : {&together[lane], &alone[lane]}) {
            restingAxis(*axis, 0.1f + 0.15f * lane, 0.2f + 0.1f * lane, 0.9f - 0.1f * lane);
            axis->held = lane % 2 == 0;
            axis->staticRate = 0.3f;
            axis->modulators[0].source = lane == 3 ? 40 : 6;
            axis->modulators[0].amount = 0.05f * lane;
            axis->modulators[0].rate = 0.9f;
            updateCoefficients(*axis);
        }
    }
    Lanes({&together[0], &together[1], &together[2], &together[3], &together[4], &together[5]}).samples(3000, bank);
    for (int lane = 0; lane < kNumAxes; ++lane) {
        stepAxis(alone[lane], bank, kInvRate44100, 3000);
        EXPECT_EQ(together[lane].pos, alone[lane].pos) << "lane " << lane;
        EXPECT_EQ(together[lane].velocity, alone[lane].velocity) << "lane " << lane;
        EXPECT_EQ(together[lane].target.load(), alone[lane].target.load()) << "lane " << lane;
        EXPECT_EQ(together[lane].modulators[0].pos, alone[lane].modulators[0].pos) << "lane " << lane;
        EXPECT_EQ(together[lane].out.load(), alone[lane].out.load()) << "lane " << lane;
    }
    EXPECT_NE(together[0].pos, together[1].pos);
}

} // namespace
