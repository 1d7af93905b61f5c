// The library as a host sees it: two entry names, instances, the descriptor.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "loaded_plugin.h"
#include "vst2/editor_picture_request.h"
#include "tests/support/recording_host.h"
#include "tests/support/signal_measures.h"

namespace {

TEST(PluginLibrary, BothEntryNamesAreTheSameFunction) {
    LoadedPlugin library;
    PluginEntry vstPluginMain = library.entry("VSTPluginMain");
    PluginEntry main = library.entry("main");
    ASSERT_NE(vstPluginMain, nullptr);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(vstPluginMain, main);
}

TEST(PluginLibrary, TwoInstancesLiveSideBySideAndCloseCleanly) {
    LoadedPlugin library;
    RecordingHost host;
    PluginEntry main = library.entry("main");
    AEffect* first = main(RecordingHost::callback);
    AEffect* second = main(RecordingHost::callback);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_NE(first->object, second->object);

    for (AEffect* effect : {first, second}) {
        EXPECT_EQ(effect->magic, kEffectMagic);
        EXPECT_EQ(effect->numInputs, 0);
        EXPECT_EQ(effect->numOutputs, 2);
        EXPECT_EQ(effect->numParams, 90);
        EXPECT_EQ(effect->numPrograms, 1);
        EXPECT_EQ(effect->flags, 0x119);
        EXPECT_EQ(effect->uniqueID, fourCharCode('Q', 'r', 'v', 'x'));
        EXPECT_EQ(effect->version, 1);
        EXPECT_NE(effect->processReplacing, nullptr);
        EXPECT_EQ(dispatch(effect, effGetPlugCategory), kPlugCategSynth);
        EXPECT_EQ(dispatch(effect, effGetVstVersion), 2);
        EXPECT_EQ(dispatch(effect, effIdentify), fourCharCode('N', 'v', 'E', 'f'));
    }

    dispatch(first, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    EXPECT_EQ(dispatch(first, effClose), 1);
    EXPECT_EQ(dispatch(second, effGetNumProgramCategories), 1);
    EXPECT_EQ(dispatch(second, effClose), 1);
    EXPECT_EQ(host.count(audioMasterWantMidi), 2);
}

TEST(PluginLibrary, AHostThatRefusesTheVersionGetsNothing) {
    LoadedPlugin library;
    RecordingHost host;
    host.answer = [](const HostCall&) -> VstIntPtr { return 0; };
    EXPECT_EQ(library.entry("VSTPluginMain")(RecordingHost::callback), nullptr);
    EXPECT_EQ(library.entry("main")(nullptr), nullptr);
}

TEST(PluginLibrary, ALifeCycleAsHostsDriveIt) {
    LoadedPlugin library;
    RecordingHost host;
    AEffect* effect = library.entry("VSTPluginMain")(RecordingHost::callback);
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(dispatch(effect, effOpen), 0);
    dispatch(effect, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    dispatch(effect, effSetBlockSize, 0, 256);
    dispatch(effect, effMainsChanged, 0, 1);

    std::vector<float> left(256, 1.0f), right(256, 1.0f);
    float* outputs[2] = {left.data(), right.data()};
    effect->processReplacing(effect, nullptr, outputs, 256);
    effect->process(effect, nullptr, outputs, 256);
    for (std::size_t i = 0; i < left.size(); ++i) {
        ASSERT_EQ(left[i], right[i]);
        ASSERT_TRUE(std::isfinite(left[i]));
    }

    char text[64] = "untouched";
    EXPECT_EQ(dispatch(effect, effGetVendorString, 0, 0, text), 0);
    EXPECT_STREQ(text, "untouched");
    EXPECT_EQ(dispatch(effect, effGetProgram), 0);
    dispatch(effect, effMainsChanged, 0, 0);
    EXPECT_EQ(dispatch(effect, effClose), 1);
}

// The editor as a host drives it: size first, then open, idle ticks with
// parameter writes in between, close, and a second open and close.
TEST(PluginLibrary, EditorOpensIdlesAndClosesAsHostsDriveIt) {
    LoadedPlugin library;
    RecordingHost host;
    AEffect* effect = library.entry("main")(RecordingHost::callback);
    ASSERT_NE(effect, nullptr);
    ASSERT_EQ(effect->flags & effFlagsHasEditor, effFlagsHasEditor);
    ERect* rect = nullptr;
    EXPECT_EQ(dispatch(effect, effEditGetRect, 0, 0, &rect), 0);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->bottom - rect->top, 420);
    EXPECT_EQ(rect->right - rect->left, 500);
    EXPECT_EQ(dispatch(effect, effEditIdle), 0); // before open: draws nothing
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(dispatch(effect, effEditOpen), 1);
        for (int tick = 0; tick < 5; ++tick) {
            effect->setParameter(effect, tick, 2.0f * static_cast<float>(tick) - 3.0f);
            EXPECT_EQ(dispatch(effect, effEditIdle), 0);
        }
        EXPECT_EQ(dispatch(effect, effEditClose), 0);
    }
    EXPECT_EQ(host.count(audioMasterAutomate), 0) << "drawing automates nothing";
    EXPECT_EQ(dispatch(effect, effClose), 1);
}

TEST(PluginLibrary, ANoteThroughTheDescriptorPlaysItsPitch) {
    LoadedPlugin library;
    RecordingHost host;
    AEffect* effect = library.entry("main")(RecordingHost::callback);
    dispatch(effect, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    dispatch(effect, effMainsChanged, 0, 1);

    VstMidiEvent note{};
    note.type = kVstMidiType;
    note.byteSize = sizeof note;
    note.midiData[0] = static_cast<char>(0x9A); // channel 11
    note.midiData[1] = 81;
    note.midiData[2] = 100;
    VstEvents events{};
    events.numEvents = 1;
    events.events[0] = reinterpret_cast<VstEvent*>(&note);
    EXPECT_EQ(dispatch(effect, effProcessEvents, 0, 0, &events), 1);

    std::vector<float> left(88200), right(88200);
    for (std::size_t start = 0; start < left.size(); start += 441) {
        float* outputs[2] = {left.data() + start, right.data() + start};
        effect->processReplacing(effect, nullptr, outputs, 441);
    }
    EXPECT_NEAR(measureFrequency(left, 44100, 88200, 44100.0), 880.0, 0.05);
    EXPECT_EQ(left, right);
    EXPECT_EQ(effect->getParameter(effect, 0), 0.625f) << "the note's pitch target, written back";
    EXPECT_EQ(dispatch(effect, effClose), 1);
}

TEST(PluginLibrary, AnEditorPictureForHostsWithoutAWindowSystem) {
    LoadedPlugin library;
    RecordingHost host;
    AEffect* effect = library.entry("main")(RecordingHost::callback);
    std::vector<unsigned char> picture(static_cast<std::size_t>(kEditorPictureBytes), 7);
    EXPECT_EQ(dispatch(effect, effVendorSpecific, kEditorPictureRequest, kEditorPictureBytes, picture.data()), 1);
    const std::vector<unsigned char> first = picture;
    EXPECT_NE(std::count(first.begin(), first.end(), 7), static_cast<long>(first.size()));

    // Moving the level axis's target moves its mark.
    effect->setParameter(effect, 14, 0.9f);
    EXPECT_EQ(dispatch(effect, effVendorSpecific, kEditorPictureRequest, kEditorPictureBytes, picture.data()), 1);
    EXPECT_NE(picture, first);

    std::vector<unsigned char> small(16, 7);
    EXPECT_EQ(dispatch(effect, effVendorSpecific, kEditorPictureRequest, 16, small.data()), 0);
    EXPECT_EQ(small, std::vector<unsigned char>(16, 7));
    EXPECT_EQ(dispatch(effect, effVendorSpecific, kEditorPictureRequest, kEditorPictureBytes, nullptr), 0);
    EXPECT_EQ(
        dispatch(effect, effVendorSpecific, fourCharCode('A', 'b', 'c', 'd'), kEditorPictureBytes, picture.data()), 0);
    EXPECT_EQ(dispatch(effect, effClose), 1);
}

} // namespace
