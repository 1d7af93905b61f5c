// MIDI notes hold the oscillator section's axes while keys are down.
#include <gtest/gtest.h>

#include "tests/support/plugin_fixture.h"

namespace {

bool held(ADelay& plugin) {
    const bool pitch = plugin.axes[kAxisMY].held;
    const bool level = plugin.axes[kAxisMX].held;
    EXPECT_EQ(pitch, level) << "the two axes are held and released together";
    return pitch;
}

TEST(HeldNotes, NoteOnSetsPitchAndLevelTargets) {
    auto plugin = makePlugin();
    noteOn(*plugin, 69, 127);
    EXPECT_EQ(plugin->axes[kAxisMY].target.load(), 0.5f);
    EXPECT_EQ(plugin->axes[kAxisMX].target.load(), 1.0f);
    EXPECT_TRUE(held(*plugin));

    noteOn(*plugin, 60, 64);
    EXPECT_EQ(plugin->axes[kAxisMY].target.load(), 0.40625f);
    EXPECT_EQ(plugin->axes[kAxisMX].target.load(), static_cast<float>(64 * static_cast<double>(1.0f / 127.0f)));

    noteOn(*plugin, 10);
    EXPECT_EQ(plugin->axes[kAxisMY].target.load(), 0.0f) << "notes below 21 sit at the bottom";
    noteOn(*plugin, 127);
    EXPECT_EQ(plugin->axes[kAxisMY].target.load(), static_cast<float>(106 * static_cast<double>(1.0f / 96.0f)))
        << "no upper limit";
}

TEST(HeldNotes, VelocityZeroIsANoteOffAndKeepsTheTargets) {
    auto plugin = makePlugin();
    noteOn(*plugin, 60, 100);
    const float pitch = plugin->axes[kAxisMY].target;
    noteOn(*plugin, 60, 0);
    EXPECT_FALSE(held(*plugin));
    EXPECT_EQ(plugin->axes[kAxisMY].target.load(), pitch);
}

TEST(HeldNotes, TheAxesStayHeldUntilTheLastKeyIsUp) {
    auto plugin = makePlugin();
    noteOn(*plugin, 60);
    noteOn(*plugin, 64);
    noteOff(*plugin, 60);
    EXPECT_TRUE(held(*plugin));
    EXPECT_EQ(plugin->axes[kAxisMY].target.load(), static_cast<float>(43 * static_cast<double>(1.0f / 96.0f)))
        << "the latest note's pitch";
    noteOff(*plugin, 61);
    EXPECT_TRUE(held(*plugin)) << "a note-off for a note never pressed changes nothing";
    noteOff(*plugin, 64);
    EXPECT_FALSE(held(*plugin));
}

TEST(HeldNotes, OneNoteOffReleasesEveryRepeatOfItsNote) {
    auto plugin = makePlugin();
    noteOn(*plugin, 60);
    noteOn(*plugin, 60);
    noteOff(*plugin, 60);
    EXPECT_FALSE(held(*plugin));
}

TEST(HeldNotes, AllNotesOffOnAnyChannelReleases) {
    auto plugin = makePlugin();
    noteOn(*plugin, 60);
    noteOn(*plugin, 67);
    sendMidi(*plugin, 0xB0 | 15, 120, 0);
    sendMidi(*plugin, 0xB0 | 15, 121, 0);
    EXPECT_TRUE(held(*plugin)) << "controllers 120 and 121 do nothing";
    sendMidi(*plugin, 0xB0 | 15, 123, 0);
    EXPECT_FALSE(held(*plugin));
    noteOff(*plugin, 60);
    noteOn(*plugin, 72);
    noteOff(*plugin, 72);
    EXPECT_FALSE(held(*plugin)) << "controller 123 emptied the list: 67 is no longer down";
}

TEST(HeldNotes, EveryChannelPlaysAlike) {
    auto onChannel1 = makePlugin();
    auto onChannel10 = makePlugin();
    noteOn(*onChannel1, 72, 99, 0);
    noteOn(*onChannel10, 72, 99, 9);
    EXPECT_EQ(onChannel1->axes[kAxisMY].target.load(), onChannel10->axes[kAxisMY].target.load());
    EXPECT_EQ(onChannel1->axes[kAxisMX].target.load(), onChannel10->axes[kAxisMX].target.load());
    EXPECT_TRUE(held(*onChannel10));
}

TEST(HeldNotes, OtherMessagesAndDataBytesAboveSevenBitsAreHandledSafely) {
    auto plugin = makePlugin();
    for (int status : {0xA0, 0xC0, 0xD0, 0xE0, 0xF0, 0xF8, 0x00, 0x7F}) {
        sendMidi(*plugin, status, 60, 100);
    }
    EXPECT_FALSE(held(*plugin));
    EXPECT_EQ(plugin->axes[kAxisMY].target.load(), 0.0f);
    sendMidi(*plugin, 0x90, 0xC5, 0xFF); // data bytes are masked to 7 bits: note 69, velocity 127
    EXPECT_EQ(plugin->axes[kAxisMY].target.load(), 0.5f);
    EXPECT_EQ(plugin->axes[kAxisMX].target.load(), 1.0f);
}

TEST(HeldNotes, AFloodOfNotesNeedsNoMoreMemory) {
    auto plugin = makePlugin();
    const std::size_t size = sizeof(*plugin);
    for (int i = 0; i < 100000; ++i) {
        noteOn(*plugin, i % 128);
    }
    EXPECT_EQ(sizeof(*plugin), size);
    for (int note = 0; note < 127; ++note) {
        noteOff(*plugin, note);
    }
    EXPECT_TRUE(held(*plugin));
    noteOff(*plugin, 127);
    EXPECT_FALSE(held(*plugin));
}

TEST(HeldNotes, EventListsAHostGetsWrong) {
    auto plugin = makePlugin();
    EXPECT_EQ(plugin->processEvents(nullptr), 1);

    VstMidiEvent note{};
    note.type = kVstMidiType;
    note.byteSize = 24; // as one common host reports it
    note.midiData[0] = static_cast<char>(0x90);
    note.midiData[1] = 69;
    note.midiData[2] = 100;
    VstEvent sysex{};
    sysex.type = kVstSysExType;

    struct {
        VstInt32 numEvents;
        VstIntPtr reserved;
        VstEvent* events[3];
    } list{3, 0, {nullptr, &sysex, reinterpret_cast<VstEvent*>(&note)}};
    EXPECT_EQ(plugin->processEvents(reinterpret_cast<VstEvents*>(&list)), 1);
    EXPECT_TRUE(held(*plugin)) << "the note after a null and a sysex event still counts";

    list.numEvents = -5;
    note.midiData[0] = static_cast<char>(0x80);
    EXPECT_EQ(plugin->processEvents(reinterpret_cast<VstEvents*>(&list)), 1);
    EXPECT_TRUE(held(*plugin)) << "a negative count reads nothing";
}

TEST(HeldNotes, TheMouseReleaseAndMidiShareTheHeldFlags) {
    auto plugin = makePlugin();
    noteOn(*plugin, 60);
    plugin->axes[kAxisMY].held = false; // the editor's release clears every axis
    plugin->axes[kAxisMX].held = false;
    noteOff(*plugin, 61);
    EXPECT_FALSE(held(*plugin)) << "keys still down do not hold the axes again";
    noteOn(*plugin, 62);
    EXPECT_TRUE(held(*plugin));
}

} // namespace
