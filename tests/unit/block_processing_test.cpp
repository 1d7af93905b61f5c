// Whole blocks: what a host hears, and what it reads back from the parameters.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/plugin_fixture.h"
#include "tests/support/signal_measures.h"

namespace {

constexpr int kRate = 44100;

TEST(BlockProcessing, SettledNotesSoundAtTheirPitch) {
    for (const auto& [note, hertz] : {std::pair{69, 440.0}, std::pair{81, 880.0}, std::pair{57, 220.0}}) {
        auto plugin = makePlugin();
        noteOn(*plugin, note);
        const Rendered out = render(*plugin, 2 * kRate);
        EXPECT_NEAR(measureFrequency(out.left, kRate, 2 * kRate, kRate), hertz, 0.05) << "note " << note;
        EXPECT_EQ(plugin->axes[kAxisMX].out.load(), 1.0f) << "velocity 127 plays full scale";
    }
}

TEST(BlockProcessing, AtFortyEightKilohertzEveryFrequencyScalesWithTheRate) {
    auto plugin = makePlugin();
    plugin->setSampleRate(48000.0f);
    noteOn(*plugin, 69);
    const Rendered out = render(*plugin, 2 * 48000);
    EXPECT_NEAR(measureFrequency(out.left, 48000, 2 * 48000, 48000.0), 440.0 * 48000.0 / 44100.0, 0.05);
}

TEST(BlockProcessing, BothChannelsCarryTheSameSamples) {
    auto plugin = makePlugin();
    noteOn(*plugin, 64, 90);
    plugin->setParameter(LXTargetPos, 0.3f);
    const Rendered out = render(*plugin, kRate / 2, 333);
    EXPECT_EQ(out.left, out.right);
    EXPECT_GT(peakLevel(out.left, 0, out.left.size()), 0.1f);
}

TEST(BlockProcessing, ProcessReplacesLikeProcessReplacing) {
    auto viaProcess = makePlugin();
    auto viaReplacing = makePlugin();
    for (ADelay* plugin : {viaProcess.get(), viaReplacing.get()}) {
        noteOn(*plugin, 60, 100);
    }
    std::vector<float> left1(512, 7.0f), right1(512, 7.0f), left2(512, -3.0f), right2(512, -3.0f);
    for (int block = 0; block < 20; ++block) {
        float* a[2] = {left1.data(), right1.data()};
        float* b[2] = {left2.data(), right2.data()};
        viaProcess->process(nullptr, a, 512);
        viaReplacing->processReplacing(nullptr, b, 512);
        ASSERT_EQ(left1, left2) << "block " << block;
        ASSERT_EQ(right1, right2) << "block " << block;
    }
}

// The echo is the difference between a render with a 0.25 s delay and one
// whose delay reads memory that is still silent.
TEST(BlockProcessing, FirstEchoArrivesAQuarterSecondAfterTheTone) {
    auto echoing = makePlugin();
    auto dry = makePlugin();
    for (ADelay* plugin : {echoing.get(), dry.get()}) {
        plugin->axes[kAxisFY].held = true;
        plugin->setParameter(FYRate, 1.0f);
        plugin->setParameter(FYOvershoot, 0.0f);
    }
    echoing->setParameter(FYTargetPos, 0.5f);
    dry->setParameter(FYTargetPos, 0.0f);
    render(*echoing, kRate);
    render(*dry, kRate);
    ASSERT_EQ(echoing->axes[kAxisFY].out.load(), 0.5f);

    noteOn(*echoing, 69);
    noteOn(*dry, 69);
    const Rendered wet = render(*echoing, kRate);
    const Rendered tone = render(*dry, kRate);
    std::vector<float> echo(wet.left.size());
    for (std::size_t i = 0; i < echo.size(); ++i) {
        echo[i] = wet.left[i] - tone.left[i];
    }
    // Before the note the level axis creeps up from 0 too slowly to hear.
    constexpr float kAudible = 1e-3f;
    const std::size_t toneStart = firstAbove(tone.left, kAudible);
    ASSERT_LT(toneStart, 200u);
    EXPECT_EQ(firstAbove(echo, kAudible), toneStart + 11025);
    for (std::size_t i = 11025; i < 11025 + 4000; ++i) {
        ASSERT_NEAR(echo[i], tone.left[i - 11025], 1e-6) << "without feedback the echo is the tone, frame " << i;
    }
}

TEST(BlockProcessing, TargetsAreWrittenBackEvenByAnEmptyBlock) {
    auto plugin = makePlugin();
    noteOn(*plugin, 81);
    EXPECT_EQ(plugin->getParameter(MYTargetPos), 0.5f) << "MIDI does not touch the parameter";
    plugin->processReplacing(nullptr, nullptr, 0);
    EXPECT_EQ(plugin->getParameter(MYTargetPos), 0.625f);
    EXPECT_EQ(plugin->getParameter(MXTargetPos), 1.0f);
    EXPECT_EQ(plugin->getParameter(FYTargetPos), 0.0f) << "an axis nobody held has its target at 0";
}

TEST(BlockProcessing, AParameterWriteBeforeTheBlockReplacesTheNotesTargets) {
    auto plugin = makePlugin();
    render(*plugin, 64);
    const float writtenBackPitch = plugin->getParameter(MYTargetPos);
    const float writtenBackLevel = plugin->getParameter(MXTargetPos);
    noteOn(*plugin, 81);
    plugin->setParameter(MXRate, 0.5f);
    plugin->processReplacing(nullptr, nullptr, 0);
    EXPECT_FALSE(plugin->paramsDirty.load());
    EXPECT_EQ(plugin->axes[kAxisMY].target.load(), writtenBackPitch) << "the refresh copied the written-back value";
    EXPECT_EQ(plugin->axes[kAxisMX].target.load(), writtenBackLevel);
    EXPECT_LT(writtenBackPitch, 0.001f);
}

TEST(BlockProcessing, TargetPosWrittenWhileReleasedDoesNotMoveTheAxis) {
    auto plugin = makePlugin();
    render(*plugin, 64);
    plugin->setParameter(MYTargetPos, 0.9f);
    EXPECT_EQ(plugin->getParameter(MYTargetPos), 0.9f);
    render(*plugin, 64);
    EXPECT_EQ(plugin->getParameter(MYTargetPos), plugin->axes[kAxisMY].target.load());
    EXPECT_LT(plugin->getParameter(MYTargetPos), 0.001f);
}

TEST(BlockProcessing, AParameterWrittenDuringABlockActsFromTheNextOne) {
    auto plugin = makePlugin();
    plugin->axes[kAxisMX].held = true;
    plugin->setParameter(MXTargetPos, 1.0f);
    plugin->setParameter(MXRate, 1.0f);
    render(*plugin, kRate / 2);
    plugin->setParameter(MXRate, 0.0f);
    EXPECT_NE(plugin->axes[kAxisMX].stiffness, 0.0f);
    render(*plugin, 1);
    EXPECT_EQ(plugin->axes[kAxisMX].stiffness, 0.0f);
}

} // namespace
