// Whatever a host sends, the engine stays inside its memory, never keeps a
// value that is no number, and sounds right again once the input is sane.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/support/plugin_fixture.h"
#include "tests/support/signal_measures.h"

namespace {

const float kNonFinite[] = {NAN, INFINITY, -INFINITY};
// Finite, but far outside what a knob sends: the springs may run away, which
// the engine must survive.
const float kExtreme[] = {3.0e38f, -3.0e38f, 1.0e-40f, -1.0f, 2.0f, 1e6f};

bool stateIsFinite(const ADelay& plugin) {
    for (const AxisRecord& axis : plugin.axes) {
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
    for (float sample : plugin.delay.buffer) {
        if (!std::isfinite(sample)) {
            return false;
        }
    }
    return std::isfinite(plugin.toneOsc.phase) && std::isfinite(plugin.lfoOsc.phase) &&
           std::isfinite(plugin.modSources[kLfoSourceSlot]);
}

void restoreSanity(ADelay& plugin) {
    for (VstInt32 index = 0; index < NumParams; ++index) {
        plugin.setParameter(index, parameterDefault(index));
    }
    plugin.setSampleRate(44100.0f);
}

// Note 69 on a sane instance, measured after it settles.
double pitchAfterRecovery(ADelay& plugin) {
    restoreSanity(plugin);
    sendMidi(plugin, 0xB0, 123, 0);
    noteOn(plugin, 69);
    const Rendered out = render(plugin, 88200);
    return measureFrequency(out.left, 44100, 88200, 44100.0);
}

void feedToEveryParameter(ADelay& plugin, float garbage) {
    for (VstInt32 index = 0; index < NumParams; ++index) {
        plugin.setParameter(index, garbage);
    }
    plugin.axes[kAxisFY].held = true;
    plugin.axes[kAxisLX].held = true;
    const Rendered out = render(plugin, 4096, 1024);
    ASSERT_TRUE(allFinite(out.left)) << garbage;
    ASSERT_EQ(out.left, out.right) << garbage;
    ASSERT_TRUE(stateIsFinite(plugin)) << garbage;
    for (VstInt32 index : {MYTargetPos, MXTargetPos, FYTargetPos, FXTargetPos, LYTargetPos, LXTargetPos}) {
        ASSERT_TRUE(std::isfinite(plugin.getParameter(index))) << "written-back target " << index;
    }
}

TEST(HostileInput, EveryParameterAtOnceWithValuesThatAreNoNumber) {
    auto plugin = makePlugin();
    noteOn(*plugin, 69);
    for (float garbage : kNonFinite) {
        feedToEveryParameter(*plugin, garbage);
    }
    EXPECT_NEAR(pitchAfterRecovery(*plugin), 440.0, 0.05);
}

TEST(HostileInput, EveryParameterAtOnceWithExtremeValues) {
    auto plugin = makePlugin();
    noteOn(*plugin, 69);
    for (float garbage : kExtreme) {
        feedToEveryParameter(*plugin, garbage);
    }
}

TEST(HostileInput, CopiesOfParametersThatAreNoNumberAreZeroAndTheParametersKeepThem) {
    auto plugin = makePlugin();
    plugin->axes[kAxisFX].held = true;
    const VstInt32 fields[] = {FXTargetPos, FXRate,   FXOvershoot,   FXStaticPos, FXStaticRate,
                               FXM0Amount,  FXM0Rate, FXM0Overshoot, FXM1Amount,  FXM1Rate};
    for (VstInt32 index : fields) {
        plugin->setParameter(index, NAN);
    }
    plugin->setParameter(FXM1Overshoot, INFINITY);
    plugin->processReplacing(nullptr, nullptr, 0);
    const AxisRecord& fx = plugin->axes[kAxisFX];
    for (float copy : {fx.rate, fx.overshoot, fx.staticPos, fx.staticRate, fx.modulators[0].amount.load(),
                       fx.modulators[0].rate, fx.modulators[1].amount.load(), fx.modulators[1].rate,
                       fx.modulators[1].overshoot, fx.stiffness, fx.staticCoeff}) {
        EXPECT_EQ(copy, 0.0f);
    }
    EXPECT_EQ(fx.damping, 0.995f) << "the damping of an overshoot of 0";
    EXPECT_EQ(fx.target.load(), 0.0f);
    EXPECT_EQ(plugin->getParameter(FXTargetPos), 0.0f) << "the write-back shows the target";
    EXPECT_TRUE(std::isnan(plugin->getParameter(FXRate)));
    EXPECT_EQ(plugin->getParameter(FXM1Overshoot), INFINITY);

    plugin->setParameter(FXRate, 1e30f); // finite, but its cube overflows
    plugin->processReplacing(nullptr, nullptr, 0);
    EXPECT_EQ(fx.rate, 1e30f);
    EXPECT_EQ(fx.stiffness, 0.0f);
}

TEST(HostileInput, OneParameterAtATime) {
    for (VstInt32 index = 0; index < NumParams; ++index) {
        auto plugin = makePlugin();
        noteOn(*plugin, 60);
        for (float garbage : {NAN, INFINITY, -3.0e38f}) {
            plugin->setParameter(index, garbage);
            const Rendered out = render(*plugin, 512, 512);
            ASSERT_TRUE(allFinite(out.left)) << "parameter " << index << " = " << garbage;
            ASSERT_TRUE(stateIsFinite(*plugin)) << "parameter " << index << " = " << garbage;
        }
    }
}

TEST(HostileInput, SampleRatesNoHostShouldSend) {
    const float rates[] = {0.0f,   -1.0f,     -44100.0f, NAN,       INFINITY, -INFINITY,
                           1e-30f, 199998.0f, 199999.0f, 250000.0f, 1e9f,     3e38f};
    for (float rate : rates) {
        auto plugin = makePlugin();
        noteOn(*plugin, 69);
        plugin->axes[kAxisFY].held = true;
        plugin->setParameter(FYTargetPos, 1.0f);
        plugin->setParameter(FYRate, 1.0f);
        plugin->setSampleRate(rate);
        for (int block = 0; block < 8; ++block) {
            const Rendered out = render(*plugin, 2048, 2048);
            ASSERT_TRUE(allFinite(out.left)) << rate << " Hz";
            ASSERT_TRUE(stateIsFinite(*plugin)) << rate << " Hz";
        }
        EXPECT_NEAR(pitchAfterRecovery(*plugin), 440.0, 0.05) << "after " << rate << " Hz";
    }
}

TEST(HostileInput, LongDelaysAtHighRatesReadSilenceBeyondTheRing) {
    auto plugin = makePlugin();
    plugin->setSampleRate(192000.0f);
    plugin->axes[kAxisFY].held = true;
    plugin->setParameter(FYTargetPos, 2.0f);
    plugin->setParameter(FYRate, 1.0f);
    plugin->setParameter(FYOvershoot, 0.0f);
    render(*plugin, 192000);
    noteOn(*plugin, 69);
    const Rendered out = render(*plugin, 192000);
    EXPECT_TRUE(allFinite(out.left));
    EXPECT_GT(plugin->delay.readPos, 100000.0f) << "the read position lies in the never-written half";
}

TEST(HostileInput, MissingOutputsAndOddFrameCounts) {
    auto plugin = makePlugin();
    noteOn(*plugin, 69);
    plugin->processReplacing(nullptr, nullptr, 512);
    std::vector<float> left(64, 5.0f);
    float* onlyLeft[2] = {left.data(), nullptr};
    plugin->processReplacing(nullptr, onlyLeft, 64);
    EXPECT_NE(left[10], 5.0f);
    float* neither[2] = {nullptr, nullptr};
    plugin->process(nullptr, neither, 64);
    for (VstInt32 frames : {-1, -4096, std::numeric_limits<VstInt32>::min()}) {
        std::vector<float> guard(8, 7.0f);
        float* channels[2] = {guard.data(), guard.data()};
        plugin->processReplacing(nullptr, channels, frames);
        EXPECT_EQ(guard[0], 7.0f) << frames;
    }
}

TEST(HostileInput, GarbageNeverChangesSaneBehaviourToTheBit) {
    auto sane = makePlugin();
    auto reset = makePlugin();
    for (ADelay* plugin : {sane.get(), reset.get()}) {
        noteOn(*plugin, 64, 80);
        plugin->setParameter(MYRate, 0.5f);
    }
    // A NaN that arrives and is replaced before any block leaves no trace.
    reset->setParameter(MYRate, NAN);
    reset->setParameter(MYRate, 0.5f);
    EXPECT_EQ(render(*sane, 8192).left, render(*reset, 8192).left);
}

} // namespace
