// The editor writes held, target and modulation amount into the axis records
// from its own thread. A block reads them once, when it starts, and never
// undoes a target written while it runs.
#include <gtest/gtest.h>

#include "engine/axis_lanes.h"

namespace {

constexpr float kInvRate44100 = 1.0f / 44100.0f;
const float kNoSources[kSourceBankSlots] = {};

// A released target after one sample of gliding home to 0.0.
float glided(float target) {
    return static_cast<float>(target - target * static_cast<double>(0.8f));
}

// Released at 1.0, gliding 80 % of the way home to 0.0 every sample.
class GlidingAxes : public testing::Test {
protected:
    void SetUp() override {
        for (int lane = 0; lane < kNumAxes; ++lane) {
            AxisRecord& axis = axes[lane];
            clearAxis(axis);
            axis.target = 1.0f;
            axis.staticCoeff = 0.8f;
            axis.modulators[0].amount = 0.5f;
            records[lane] = &axis;
        }
    }

    AxisRecord axes[kNumAxes];
    AxisRecord* records[kNumAxes];
};

TEST_F(GlidingAxes, ATargetWrittenWhileTheBlockRunsIsKept) {
    AxisLanes lanes;
    lanes.load(records, kNoSources);
    lanes.step(kInvRate44100);
    axes[1].target = 0.3f; // the editor, mid-block
    lanes.step(kInvRate44100);
    lanes.store();
    EXPECT_EQ(axes[1].target.load(), 0.3f);
    EXPECT_EQ(axes[0].target.load(), glided(glided(1.0f))) << "nobody wrote this one: it glided";
}

TEST_F(GlidingAxes, ThePlainPathKeepsAWrittenTargetToo) {
    BlockAxis axis = takeAxis(axes[0]);
    stepAxis(axis.motion, 0.0, static_cast<double>(kInvRate44100));
    axes[0].target = 0.3f;
    putAxis(axis, axes[0]);
    EXPECT_EQ(axes[0].target.load(), 0.3f);
}

TEST_F(GlidingAxes, HeldAndAmountWrittenWhileTheBlockRunsActFromTheNextBlock) {
    const float bank[kSourceBankSlots] = {1.0f}; // every modulator reads slot 0
    AxisLanes lanes;
    lanes.load(records, bank);
    axes[2].held = true;
    axes[2].modulators[0].amount = 1.0f;
    lanes.step(kInvRate44100);
    lanes.store();
    EXPECT_EQ(axes[2].target.load(), glided(1.0f)) << "still released in this block";
    EXPECT_EQ(axes[2].modulators[0].target, 0.0f) << "still the amount of 0.5 in this block";

    lanes.load(records, bank);
    lanes.step(kInvRate44100);
    lanes.store();
    EXPECT_EQ(axes[2].target.load(), glided(1.0f)) << "held from this block on";
    EXPECT_EQ(axes[2].modulators[0].target, 0.5f) << "(1.0 - 0.5) × 1.0 from this block on";
}

} // namespace
