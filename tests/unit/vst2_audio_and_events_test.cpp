// What a VST 2 host hands the audio and event entries, including what a
// host gets wrong.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/plugin_fixture.h"

namespace {

bool held(ADelay& plugin) {
    return plugin.engine.axes[kAxisMY].held && plugin.engine.axes[kAxisMX].held;
}

TEST(Vst2Audio, ProcessReplacesLikeProcessReplacing) {
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

TEST(Vst2Audio, MissingOutputArraysAreSkipped) {
    auto plugin = makePlugin();
    noteOn(*plugin, 69);
    plugin->processReplacing(nullptr, nullptr, 512);
    std::vector<float> left(64, 5.0f);
    float* onlyLeft[2] = {left.data(), nullptr};
    plugin->processReplacing(nullptr, onlyLeft, 64);
    EXPECT_NE(left[10], 5.0f);
    float* neither[2] = {nullptr, nullptr};
    plugin->process(nullptr, neither, 64);
    EXPECT_TRUE(held(*plugin));
}

TEST(Vst2Events, EventListsAHostGetsWrong) {
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

TEST(Vst2Events, EveryByteOfTheMessageReachesTheEngine) {
    auto plugin = makePlugin();
    sendMidi(*plugin, 0x9F, 0xC5, 0xFF); // channel 16; data bytes masked to 7 bits: note 69, velocity 127
    EXPECT_TRUE(held(*plugin));
    EXPECT_EQ(plugin->engine.axes[kAxisMY].target.load(), 0.5f);
    EXPECT_EQ(plugin->engine.axes[kAxisMX].target.load(), 1.0f);
}

} // namespace
