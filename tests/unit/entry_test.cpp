// The entry: the version question, the instance, the descriptor the host gets.
#include <gtest/gtest.h>

#include "vst2/audioeffect.h"
#include "vst2/plugin_entry.h"
#include "tests/support/recording_host.h"

namespace {

VstIntPtr closeInstance(AEffect* effect) {
    return effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

TEST(Entry, AHostAnsweringVersionZeroGetsNoInstance) {
    RecordingHost host;
    host.answer = [](const HostCall&) -> VstIntPtr { return 0; };
    EXPECT_EQ(openPluginInstance(RecordingHost::callback), nullptr);
    ASSERT_EQ(host.calls.size(), 1u) << "nothing may follow the refused version request";
    EXPECT_EQ(host.calls[0].opcode, audioMasterVersion);
    EXPECT_EQ(host.calls[0].effect, nullptr);
}

TEST(Entry, ANullCallbackGetsNoInstance) {
    EXPECT_EQ(openPluginInstance(nullptr), nullptr);
}

TEST(Entry, TheDescriptorPresentsAStereoSynth) {
    RecordingHost host;
    AEffect* effect = openPluginInstance(RecordingHost::callback);
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->magic, kEffectMagic);
    EXPECT_EQ(effect->numInputs, 0);
    EXPECT_EQ(effect->numOutputs, 2);
    EXPECT_EQ(effect->numPrograms, 1);
    EXPECT_EQ(effect->numParams, 90);
    EXPECT_EQ(effect->flags, effFlagsHasEditor | effFlagsCanMono | effFlagsCanReplacing | effFlagsIsSynth);
    EXPECT_EQ(effect->uniqueID, fourCharCode('Q', 'r', 'v', 'x'));
    EXPECT_EQ(effect->version, 1);
    EXPECT_EQ(effect->ioRatio, 1.0f);
    EXPECT_EQ(effect->initialDelay, 0);
    EXPECT_EQ(instanceOf(effect)->getAeffect(), effect);
    EXPECT_EQ(closeInstance(effect), 1);
}

TEST(Entry, MidiIsRequestedDuringConstructionWithTheNewDescriptor) {
    RecordingHost host;
    AEffect* effect = openPluginInstance(RecordingHost::callback);
    ASSERT_NE(effect, nullptr);
    ASSERT_EQ(host.calls.size(), 2u);
    EXPECT_EQ(host.calls[0].opcode, audioMasterVersion);
    EXPECT_EQ(host.calls[1].opcode, audioMasterWantMidi);
    EXPECT_EQ(host.calls[1].value, 1);
    EXPECT_EQ(host.calls[1].effect, effect);
    closeInstance(effect);
}

TEST(Entry, MainsOnAsksForMidiAgainAndMainsOffSendsNothing) {
    RecordingHost host;
    AEffect* effect = openPluginInstance(RecordingHost::callback);
    host.calls.clear();
    effect->dispatcher(effect, effMainsChanged, 0, 0, nullptr, 0.0f);
    EXPECT_TRUE(host.calls.empty());
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    ASSERT_EQ(host.count(audioMasterWantMidi), 1);
    EXPECT_EQ(host.last(audioMasterWantMidi)->value, 1);
    closeInstance(effect);
}

TEST(Entry, EntriesIgnoreDescriptorsThatAreNotOurs) {
    AEffect stranger{};
    EXPECT_EQ(instanceOf(&stranger), nullptr);
    EXPECT_EQ(instanceOf(nullptr), nullptr);

    RecordingHost host;
    AEffect* effect = openPluginInstance(RecordingHost::callback);
    EXPECT_EQ(effect->dispatcher(nullptr, effGetVstVersion, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(effect->dispatcher(&stranger, effClose, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(effect->getParameter(nullptr, 0), 0.0f);
    effect->setParameter(nullptr, 0, 1.0f);
    effect->processReplacing(nullptr, nullptr, nullptr, 16);
    effect->process(nullptr, nullptr, nullptr, 16);
    EXPECT_EQ(closeInstance(effect), 1);
}

} // namespace
