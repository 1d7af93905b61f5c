// Whole blocks: what a host hears, and what it reads back from the parameters.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/engine/engine_fixture.h"
#include "tests/support/signal_measures.h"

namespace {

constexpr int kRate = 44100;

TEST(BlockProcessing, SettledNotesSoundAtTheirPitch) {
    for (const auto& [note, hertz] : {std::pair{69, 440.0}, std::pair{81, 880.0}, std::pair{57, 220.0}}) {
        auto engine = makeEngine();
        noteOn(*engine, note);
        const Rendered out = render(*engine, 2 * kRate);
        EXPECT_NEAR(measureFrequency(out.left, kRate, 2 * kRate, kRate), hertz, 0.05) << "note " << note;
        EXPECT_EQ(engine->axes[kAxisMX].out.load(), 1.0f) << "velocity 127 plays full scale";
    }
}

TEST(BlockProcessing, AtFortyEightKilohertzEveryFrequencyScalesWithTheRate) {
    auto engine = makeEngine();
    noteOn(*engine, 69);
    const Rendered out = render(*engine, 2 * 48000, 256, 48000.0f);
    EXPECT_NEAR(measureFrequency(out.left, 48000, 2 * 48000, 48000.0), 440.0 * 48000.0 / 44100.0, 0.05);
}

TEST(BlockProcessing, BothChannelsCarryTheSameSamples) {
    auto engine = makeEngine();
    noteOn(*engine, 64, 90);
    engine->setParameter(LXTargetPos, 0.3f);
    const Rendered out = render(*engine, kRate / 2, 333);
    EXPECT_EQ(out.left, out.right);
    EXPECT_GT(peakLevel(out.left, 0, out.left.size()), 0.1f);
}

// The echo is the difference between a render with a 0.25 s delay and one
// whose delay reads memory that is still silent.
TEST(BlockProcessing, FirstEchoArrivesAQuarterSecondAfterTheTone) {
    auto echoing = makeEngine();
    auto dry = makeEngine();
    for (Engine* engine : {echoing.get(), dry.get()}) {
        engine->axes[kAxisFY].held = true;
        engine->setParameter(FYRate, 1.0f);
        engine->setParameter(FYOvershoot, 0.0f);
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
    auto engine = makeEngine();
    noteOn(*engine, 81);
    EXPECT_EQ(engine->parameter(MYTargetPos), 0.5f) << "MIDI does not touch the parameter";
    engine->render(kRate44100, nullptr, nullptr, 0);
    EXPECT_EQ(engine->parameter(MYTargetPos), 0.625f);
    EXPECT_EQ(engine->parameter(MXTargetPos), 1.0f);
    EXPECT_EQ(engine->parameter(FYTargetPos), 0.0f) << "an axis nobody held has its target at 0";
}

TEST(BlockProcessing, AParameterWriteBeforeTheBlockReplacesTheNotesTargets) {
    auto engine = makeEngine();
    render(*engine, 64);
    const float writtenBackPitch = engine->parameter(MYTargetPos);
    const float writtenBackLevel = engine->parameter(MXTargetPos);
    noteOn(*engine, 81);
    engine->setParameter(MXRate, 0.5f);
    engine->render(kRate44100, nullptr, nullptr, 0);
    EXPECT_FALSE(engine->paramsDirty.load());
    EXPECT_EQ(engine->axes[kAxisMY].target.load(), writtenBackPitch) << "the refresh copied the written-back value";
    EXPECT_EQ(engine->axes[kAxisMX].target.load(), writtenBackLevel);
    EXPECT_LT(writtenBackPitch, 0.001f);
}

TEST(BlockProcessing, TargetPosWrittenWhileReleasedDoesNotMoveTheAxis) {
    auto engine = makeEngine();
    render(*engine, 64);
    engine->setParameter(MYTargetPos, 0.9f);
    EXPECT_EQ(engine->parameter(MYTargetPos), 0.9f);
    render(*engine, 64);
    EXPECT_EQ(engine->parameter(MYTargetPos), engine->axes[kAxisMY].target.load());
    EXPECT_LT(engine->parameter(MYTargetPos), 0.001f);
}

TEST(BlockProcessing, AParameterWrittenDuringABlockActsFromTheNextOne) {
    auto engine = makeEngine();
    engine->axes[kAxisMX].held = true;
    engine->setParameter(MXTargetPos, 1.0f);
    engine->setParameter(MXRate, 1.0f);
    render(*engine, kRate / 2);
    engine->setParameter(MXRate, 0.0f);
    EXPECT_NE(engine->axes[kAxisMX].stiffness, 0.0f);
    render(*engine, 1);
    EXPECT_EQ(engine->axes[kAxisMX].stiffness, 0.0f);
}

} // namespace
