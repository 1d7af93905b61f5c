// One program, two output pins, and the capabilities a host asks about.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/plugin_fixture.h"
#include "tests/support/recording_host.h"

namespace {

VstIntPtr dispatch(ADelay& plugin, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr) {
    return plugin.dispatcher(opcode, index, value, ptr, 0.0f);
}

TEST(ProgramsAndPins, TheOneProgramIsInit) {
    auto plugin = makePlugin();
    dispatch(*plugin, effSetProgram, 0, 3);
    EXPECT_EQ(dispatch(*plugin, effGetProgram), 0);
    dispatch(*plugin, effSetProgram, 0, -1);
    EXPECT_EQ(dispatch(*plugin, effGetProgram), 0);
    char name[32] = "Lead";
    dispatch(*plugin, effSetProgramName, 0, 0, name);
    EXPECT_STREQ(name, "");
    dispatch(*plugin, effGetProgramName, 0, 0, name);
    EXPECT_STREQ(name, "Init.");
    void* chunk = nullptr;
    EXPECT_EQ(dispatch(*plugin, effGetChunk, 0, 0, &chunk), 0) << "hosts save the 90 values instead";
    EXPECT_EQ(dispatch(*plugin, effGetNumProgramCategories), 1);
}

TEST(ProgramsAndPins, OutputPins) {
    auto plugin = makePlugin();
    for (const auto& [index, label] :
         {std::pair{0, "V-Avari L"}, std::pair{1, "V-Avari R"}, std::pair{-1, "V-Avari R"}}) {
        VstPinProperties pin;
        std::memset(&pin, 0x5A, sizeof pin);
        EXPECT_EQ(dispatch(*plugin, effGetOutputProperties, index, 0, &pin), 1);
        EXPECT_STREQ(pin.label, label);
        EXPECT_EQ(pin.flags, kVstPinIsActive | kVstPinIsStereo);
        EXPECT_EQ(pin.arrangementType, 0x5A5A5A5A) << "other fields stay as the host passed them";
        EXPECT_EQ(pin.label[std::strlen(label) + 1], 0x5A);
    }
    VstPinProperties pin;
    std::memset(&pin, 0x5A, sizeof pin);
    EXPECT_EQ(dispatch(*plugin, effGetOutputProperties, 2, 0, &pin), 0);
    EXPECT_EQ(pin.label[0], 0x5A);
    EXPECT_EQ(dispatch(*plugin, effGetInputProperties, 0, 0, &pin), 0);
}

TEST(ProgramsAndPins, Capabilities) {
    auto plugin = makePlugin();
    auto canDo = [&](const char* text) {
        char buffer[64];
        std::strcpy(buffer, text);
        return dispatch(*plugin, effCanDo, 0, 0, buffer);
    };
    EXPECT_EQ(canDo("receiveVstEvents"), 1);
    EXPECT_EQ(canDo("receiveVstMidiEvent"), 1);
    EXPECT_EQ(canDo("ReceiveVstEvents"), 0);
    EXPECT_EQ(canDo("receiveVstTimeInfo"), 0);
    EXPECT_EQ(canDo("sendVstMidiEvent"), 0);
    EXPECT_EQ(canDo("receiveVstEventsX"), 0);
    EXPECT_EQ(canDo(""), 0);
    EXPECT_EQ(dispatch(*plugin, effGetPlugCategory), kPlugCategSynth);
    EXPECT_EQ(dispatch(*plugin, effProcessEvents, 0, 0, nullptr), 0) << "no list, nothing to answer for";
}

TEST(ProgramsAndPins, ResumeAsksForMidiAndSuspendKeepsTheNotes) {
    RecordingHost host;
    auto plugin = makePlugin(RecordingHost::callback);
    noteOn(*plugin, 60);
    host.calls.clear();
    dispatch(*plugin, effMainsChanged, 0, 0);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_TRUE(plugin->engine.axes[kAxisMY].held.load());
    dispatch(*plugin, effMainsChanged, 0, 1);
    EXPECT_EQ(host.count(audioMasterWantMidi), 1);
    noteOff(*plugin, 60);
    EXPECT_FALSE(plugin->engine.axes[kAxisMY].held.load());
}

} // namespace
