// MIDI notes hold the oscillator section's axes while keys are down.
#include <gtest/gtest.h>

#include "tests/engine/engine_fixture.h"

namespace {

bool held(Engine& engine) {
    const bool pitch = engine.axes[kAxisMY].held;
    const bool level = engine.axes[kAxisMX].held;
    EXPECT_EQ(pitch, level) << "the two axes are held and released together";
    return pitch;
}

TEST(HeldNotes, NoteOnSetsPitchAndLevelTargets) {
    auto engine = makeEngine();
    noteOn(*engine, 69, 127);
    EXPECT_EQ(engine->axes[kAxisMY].target.load(), 0.5f);
    EXPECT_EQ(engine->axes[kAxisMX].target.load(), 1.0f);
    EXPECT_TRUE(held(*engine));

    noteOn(*engine, 60, 64);
    EXPECT_EQ(engine->axes[kAxisMY].target.load(), 0.40625f);
    EXPECT_EQ(engine->axes[kAxisMX].target.load(), static_cast<float>(64 * static_cast<double>(1.0f / 127.0f)));

    noteOn(*engine, 10);
    EXPECT_EQ(engine->axes[kAxisMY].target.load(), 0.0f) << "notes below 21 sit at the bottom";
    noteOn(*engine, 127);
    EXPECT_EQ(engine->axes[kAxisMY].target.load(), static_cast<float>(106 * static_cast<double>(1.0f / 96.0f)))
        << "no upper limit";
}

TEST(HeldNotes, VelocityZeroIsANoteOffAndKeepsTheTargets) {
    auto engine = makeEngine();
    noteOn(*engine, 60, 100);
    const float pitch = engine->axes[kAxisMY].target;
    noteOn(*engine, 60, 0);
    EXPECT_FALSE(held(*engine));
    EXPECT_EQ(engine->axes[kAxisMY].target.load(), pitch);
}

TEST(HeldNotes, TheAxesStayHeldUntilTheLastKeyIsUp) {
    auto engine = makeEngine();
    noteOn(*engine, 60);
    noteOn(*engine, 64);
    noteOff(*engine, 60);
    EXPECT_TRUE(held(*engine));
    EXPECT_EQ(engine->axes[kAxisMY].target.load(), static_cast<float>(43 * static_cast<double>(1.0f / 96.0f)))
        << "the latest note's pitch";
    noteOff(*engine, 61);
    EXPECT_TRUE(held(*engine)) << "a note-off for a note never pressed changes nothing";
    noteOff(*engine, 64);
    EXPECT_FALSE(held(*engine));
}

TEST(HeldNotes, OneNoteOffReleasesEveryRepeatOfItsNote) {
    auto engine = makeEngine();
    noteOn(*engine, 60);
    noteOn(*engine, 60);
    noteOff(*engine, 60);
    EXPECT_FALSE(held(*engine));
}

TEST(HeldNotes, AllNotesOffOnAnyChannelReleases) {
    auto engine = makeEngine();
    noteOn(*engine, 60);
    noteOn(*engine, 67);
    sendMidi(*engine, 0xB0 | 15, 120, 0);
    sendMidi(*engine, 0xB0 | 15, 121, 0);
    EXPECT_TRUE(held(*engine)) << "controllers 120 and 121 do nothing";
    sendMidi(*engine, 0xB0 | 15, 123, 0);
    EXPECT_FALSE(held(*engine));
    noteOff(*engine, 60);
    noteOn(*engine, 72);
    noteOff(*engine, 72);
    EXPECT_FALSE(held(*engine)) << "controller 123 emptied the list: 67 is no longer down";
}

TEST(HeldNotes, EveryChannelPlaysAlike) {
    auto onChannel1 = makeEngine();
    auto onChannel10 = makeEngine();
    noteOn(*onChannel1, 72, 99, 0);
    noteOn(*onChannel10, 72, 99, 9);
    EXPECT_EQ(onChannel1->axes[kAxisMY].target.load(), onChannel10->axes[kAxisMY].target.load());
    EXPECT_EQ(onChannel1->axes[kAxisMX].target.load(), onChannel10->axes[kAxisMX].target.load());
    EXPECT_TRUE(held(*onChannel10));
}

TEST(HeldNotes, OtherMessagesAndDataBytesAboveSevenBitsAreHandledSafely) {
    auto engine = makeEngine();
    for (int status : {0xA0, 0xC0, 0xD0, 0xE0, 0xF0, 0xF8, 0x00, 0x7F}) {
        sendMidi(*engine, status, 60, 100);
    }
    EXPECT_FALSE(held(*engine));
    EXPECT_EQ(engine->axes[kAxisMY].target.load(), 0.0f);
    sendMidi(*engine, 0x90, 0xC5, 0xFF); // data bytes are masked to 7 bits: note 69, velocity 127
    EXPECT_EQ(engine->axes[kAxisMY].target.load(), 0.5f);
    EXPECT_EQ(engine->axes[kAxisMX].target.load(), 1.0f);
}

TEST(HeldNotes, AFloodOfNotesNeedsNoMoreMemory) {
    auto engine = makeEngine();
    const std::size_t size = sizeof(*engine);
    for (int i = 0; i < 100000; ++i) {
        noteOn(*engine, i % 128);
    }
    EXPECT_EQ(sizeof(*engine), size);
    for (int note = 0; note < 127; ++note) {
        noteOff(*engine, note);
    }
    EXPECT_TRUE(held(*engine));
    noteOff(*engine, 127);
    EXPECT_FALSE(held(*engine));
}

TEST(HeldNotes, TheMouseReleaseAndMidiShareTheHeldFlags) {
    auto engine = makeEngine();
    noteOn(*engine, 60);
    engine->axes[kAxisMY].held = false; // the editor's release clears every axis
    engine->axes[kAxisMX].held = false;
    noteOff(*engine, 61);
    EXPECT_FALSE(held(*engine)) << "keys still down do not hold the axes again";
    noteOn(*engine, 62);
    EXPECT_TRUE(held(*engine));
}

} // namespace
