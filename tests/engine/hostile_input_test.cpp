// Whatever a host sends, the engine stays inside its memory, never keeps a
// value that is no number, and sounds right again once the input is sane.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/engine/engine_fixture.h"
#include "tests/support/signal_measures.h"

namespace {

const float kNonFinite[] = {NAN, INFINITY, -INFINITY};
// Finite, but far outside what a knob sends: the springs may run away, which
// the engine must survive.
const float kExtreme[] = {3.0e38f, -3.0e38f, 1.0e-40f, -1.0f, 2.0f, 1e6f};

bool stateIsFinite(const Engine& engine) {
    for (const AxisRecord& axis : engine.axes) {
        const float fields[] = {axis.target,
                                axis.pos,
                                axis.velocity,
                                axis.accel,
                                axis.damping,
                                axis.stiffness,
                                axis.staticCoeff,
                                axis.out,
                                axis.modulators[0].target,
                                axis.modulators[0].pos,
                                axis.modulators[0].velocity};
        for (float field : fields) {
            if (!std::isfinite(field)) {
                return false;
            }
        }
    }
    for (float sample : engine.delay.buffer) {
        if (!std::isfinite(sample)) {
            return false;
        }
    }
    return std::isfinite(engine.toneOsc.phase) && std::isfinite(engine.lfoOsc.phase) &&
           std::isfinite(engine.modSources[kLfoSourceSlot]);
}

void restoreSanity(Engine& engine) {
    for (std::int32_t index = 0; index < NumParams; ++index) {
        engine.setParameter(index, kParameterTable[static_cast<std::size_t>(index)].defaultValue);
    }
}

// Note 69 on a sane instance, measured after it settles.
double pitchAfterRecovery(Engine& engine) {
    restoreSanity(engine);
    sendMidi(engine, 0xB0, 123, 0);
    noteOn(engine, 69);
    const Rendered out = render(engine, 88200);
    return measureFrequency(out.left, 44100, 88200, 44100.0);
}

void feedToEveryParameter(Engine& engine, float garbage) {
    for (std::int32_t index = 0; index < NumParams; ++index) {
        engine.setParameter(index, garbage);
    }
    engine.axes[kAxisFY].held = true;
    engine.axes[kAxisLX].held = true;
    const Rendered out = render(engine, 4096, 1024);
    ASSERT_TRUE(allFinite(out.left)) << garbage;
    ASSERT_EQ(out.left, out.right) << garbage;
    ASSERT_TRUE(stateIsFinite(engine)) << garbage;
    for (std::int32_t index : {MYTargetPos, MXTargetPos, FYTargetPos, FXTargetPos, LYTargetPos, LXTargetPos}) {
        ASSERT_TRUE(std::isfinite(engine.parameter(index))) << "written-back target " << index;
    }
}

TEST(HostileInput, EveryParameterAtOnceWithValuesThatAreNoNumber) {
    auto engine = makeEngine();
    noteOn(*engine, 69);
    for (float garbage : kNonFinite) {
        feedToEveryParameter(*engine, garbage);
    }
    EXPECT_NEAR(pitchAfterRecovery(*engine), 440.0, 0.05);
}

TEST(HostileInput, EveryParameterAtOnceWithExtremeValues) {
    auto engine = makeEngine();
    noteOn(*engine, 69);
    for (float garbage : kExtreme) {
        feedToEveryParameter(*engine, garbage);
    }
}

TEST(HostileInput, CopiesOfParametersThatAreNoNumberAreZeroAndTheParametersKeepThem) {
    auto engine = makeEngine();
    engine->axes[kAxisFX].held = true;
    const std::int32_t fields[] = {FXTargetPos, FXRate,   FXOvershoot,   FXStaticPos, FXStaticRate,
                               FXM0Amount,  FXM0Rate, FXM0Overshoot, FXM1Amount,  FXM1Rate};
    for (std::int32_t index : fields) {
        engine->setParameter(index, NAN);
    }
    engine->setParameter(FXM1Overshoot, INFINITY);
    engine->render(kRate44100, nullptr, nullptr, 0);
    const AxisRecord& fx = engine->axes[kAxisFX];
    for (float copy : {fx.rate, fx.overshoot, fx.staticPos, fx.staticRate, fx.modulators[0].amount.load(),
                       fx.modulators[0].rate, fx.modulators[1].amount.load(), fx.modulators[1].rate,
                       fx.modulators[1].overshoot, fx.stiffness, fx.staticCoeff}) {
        EXPECT_EQ(copy, 0.0f);
    }
    EXPECT_EQ(fx.damping, 0.995f) << "the damping of an overshoot of 0";
    EXPECT_EQ(fx.target.load(), 0.0f);
    EXPECT_EQ(engine->parameter(FXTargetPos), 0.0f) << "the write-back shows the target";
    EXPECT_TRUE(std::isnan(engine->parameter(FXRate)));
    EXPECT_EQ(engine->parameter(FXM1Overshoot), INFINITY);

    engine->setParameter(FXRate, 1e30f); // finite, but its cube overflows
    engine->render(kRate44100, nullptr, nullptr, 0);
    EXPECT_EQ(fx.rate, 1e30f);
    EXPECT_EQ(fx.stiffness, 0.0f);
}

TEST(HostileInput, OneParameterAtATime) {
    for (std::int32_t index = 0; index < NumParams; ++index) {
        auto engine = makeEngine();
        noteOn(*engine, 60);
        for (float garbage : {NAN, INFINITY, -3.0e38f}) {
            engine->setParameter(index, garbage);
            const Rendered out = render(*engine, 512, 512);
            ASSERT_TRUE(allFinite(out.left)) << "parameter " << index << " = " << garbage;
            ASSERT_TRUE(stateIsFinite(*engine)) << "parameter " << index << " = " << garbage;
        }
    }
}

TEST(HostileInput, SampleRatesNoHostShouldSend) {
    const float rates[] = {0.0f,   -1.0f,     -44100.0f, NAN,       INFINITY, -INFINITY,
                           1e-30f, 199998.0f, 199999.0f, 250000.0f, 1e9f,     3e38f};
    for (float rate : rates) {
        auto engine = makeEngine();
        noteOn(*engine, 69);
        engine->axes[kAxisFY].held = true;
        engine->setParameter(FYTargetPos, 1.0f);
        engine->setParameter(FYRate, 1.0f);
        for (int block = 0; block < 8; ++block) {
            const Rendered out = render(*engine, 2048, 2048, rate);
            ASSERT_TRUE(allFinite(out.left)) << rate << " Hz";
            ASSERT_TRUE(stateIsFinite(*engine)) << rate << " Hz";
        }
        EXPECT_NEAR(pitchAfterRecovery(*engine), 440.0, 0.05) << "after " << rate << " Hz";
    }
}

TEST(HostileInput, LongDelaysAtHighRatesReadSilenceBeyondTheRing) {
    auto engine = makeEngine();
    engine->axes[kAxisFY].held = true;
    engine->setParameter(FYTargetPos, 2.0f);
    engine->setParameter(FYRate, 1.0f);
    engine->setParameter(FYOvershoot, 0.0f);
    render(*engine, 192000, 256, 192000.0f);
    noteOn(*engine, 69);
    const Rendered out = render(*engine, 192000, 256, 192000.0f);
    EXPECT_TRUE(allFinite(out.left));
    EXPECT_GT(engine->delay.readPos, 100000.0f) << "the read position lies in the never-written half";
}

TEST(HostileInput, MissingChannelsAndOddFrameCounts) {
    auto engine = makeEngine();
    noteOn(*engine, 69);
    engine->render(kRate44100, nullptr, nullptr, 512);
    std::vector<float> left(64, 5.0f);
    engine->render(kRate44100, left.data(), nullptr, 64);
    EXPECT_NE(left[10], 5.0f);
    for (std::int32_t frames : {-1, -4096, std::numeric_limits<std::int32_t>::min()}) {
        std::vector<float> guard(8, 7.0f);
        engine->render(kRate44100, guard.data(), guard.data(), frames);
        EXPECT_EQ(guard[0], 7.0f) << frames;
    }
}

TEST(HostileInput, GarbageNeverChangesSaneBehaviourToTheBit) {
    auto sane = makeEngine();
    auto reset = makeEngine();
    for (Engine* engine : {sane.get(), reset.get()}) {
        noteOn(*engine, 64, 80);
        engine->setParameter(MYRate, 0.5f);
    }
    // A NaN that arrives and is replaced before any block leaves no trace.
    reset->setParameter(MYRate, NAN);
    reset->setParameter(MYRate, 0.5f);
    EXPECT_EQ(render(*sane, 8192).left, render(*reset, 8192).left);
}

} // namespace
