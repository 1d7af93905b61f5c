// Loads Quorvane.dll with LoadLibrary, as a Windows host does, and talks to it
// only through its entry and the descriptor.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "host_window.h"
#include "loaded_dll.h"
#include "vst2/editor_picture_request.h"
#include "vst2/vst2.h"
#include "tests/support/recording_host.h"

namespace {

// Where a host built against the published layout finds the fields it
// reads, in bytes from the start of the descriptor.
struct PublishedOffsets {
    std::size_t numParams;
    std::size_t flags;
    std::size_t uniqueID;
    std::size_t processReplacing;
    std::size_t reservedTail;
};
#if defined(_WIN64)
constexpr PublishedOffsets kPublished{44, 56, 112, 120, 128};
#else
constexpr PublishedOffsets kPublished{24, 36, 72, 80, 84};
#endif
constexpr std::size_t kReservedTailBytes = 60;

template <typename Field> Field fieldAt(const AEffect* effect, std::size_t offset) {
    Field field;
    std::memcpy(&field, reinterpret_cast<const unsigned char*>(effect) + offset, sizeof field);
    return field;
}

class DllTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(dll.module, nullptr) << "LoadLibrary failed: " << GetLastError();
        ASSERT_NE(dll.entry, nullptr);
    }

    LoadedDll dll;
};

TEST_F(DllTest, ExportsTheEntryUnderTheNamesItsHostsLookUp) {
    const FARPROC main = GetProcAddress(dll.module, "main");
    ASSERT_NE(main, nullptr);
#if defined(_WIN64)
    EXPECT_EQ(GetProcAddress(dll.module, "VSTPluginMain"), main);
#else
    EXPECT_EQ(GetProcAddress(dll.module, "VSTPluginMain"), nullptr);
#endif
}

TEST_F(DllTest, DescriptorAsAWindowsHostReadsIt) {
    RecordingHost host;
    AEffect* effect = dll.entry(RecordingHost::callback);
    ASSERT_NE(effect, nullptr);
#if !defined(_WIN64)
    EXPECT_EQ(sizeof(AEffect), 144u);
#endif
    EXPECT_EQ(effect->magic, kEffectMagic);
    EXPECT_EQ(effect->numPrograms, 1);
    EXPECT_EQ(effect->numParams, 90);
    EXPECT_EQ(effect->numInputs, 0);
    EXPECT_EQ(effect->numOutputs, 2);
    EXPECT_EQ(effect->flags, 0x119);
    EXPECT_EQ(effect->uniqueID, fourCharCode('Q', 'r', 'v', 'x'));
    EXPECT_EQ(effect->version, 1);
    EXPECT_EQ(effect->ioRatio, 1.0f);
    ASSERT_EQ(host.count(audioMasterWantMidi), 1);
    EXPECT_EQ(host.last(audioMasterWantMidi)->effect, effect);

    EXPECT_EQ(fieldAt<VstInt32>(effect, kPublished.numParams), 90);
    EXPECT_EQ(fieldAt<VstInt32>(effect, kPublished.flags), 0x119);
    EXPECT_EQ(fieldAt<VstInt32>(effect, kPublished.uniqueID), fourCharCode('Q', 'r', 'v', 'x'));
    EXPECT_EQ(fieldAt<AEffectProcessProc>(effect, kPublished.processReplacing), effect->processReplacing);
    const auto* tail = reinterpret_cast<const unsigned char*>(effect) + kPublished.reservedTail;
    EXPECT_EQ(std::vector<unsigned char>(tail, tail + kReservedTailBytes),
              std::vector<unsigned char>(kReservedTailBytes, 0));

    EXPECT_EQ(dispatch(effect, effGetPlugCategory), kPlugCategSynth);
    EXPECT_EQ(dispatch(effect, effGetVstVersion), 2);
    EXPECT_EQ(dispatch(effect, effKeysRequired), 1);
    EXPECT_EQ(dispatch(effect, effIdentify), fourCharCode('N', 'v', 'E', 'f'));
    EXPECT_EQ(dispatch(effect, 59), 0);
    EXPECT_EQ(dispatch(effect, -1), 0);
    char text[64] = "untouched";
    EXPECT_EQ(dispatch(effect, effGetProductString, 0, 0, text), 0);
    EXPECT_STREQ(text, "untouched");
    EXPECT_EQ(dispatch(effect, effSetBlockSizeAndSampleRate, 0, 512, nullptr, 48000.0f), 1);

    dispatch(effect, effMainsChanged, 0, 1);
    EXPECT_EQ(host.count(audioMasterWantMidi), 2);
    std::vector<float> left(512, 1.0f), right(512, 1.0f);
    float* outputs[2] = {left.data(), right.data()};
    effect->processReplacing(effect, nullptr, outputs, 512);
    EXPECT_EQ(left, right);
    dispatch(effect, effMainsChanged, 0, 0);
    EXPECT_EQ(dispatch(effect, effClose), 1);
}

TEST_F(DllTest, AHostAnsweringVersionZeroGetsNoInstance) {
    RecordingHost host;
    host.answer = [](const HostCall&) -> VstIntPtr { return 0; };
    EXPECT_EQ(dll.entry(RecordingHost::callback), nullptr);
    EXPECT_EQ(host.calls.size(), 1u);
}

TEST_F(DllTest, TwoInstancesAtOnce) {
    RecordingHost host;
    AEffect* first = dll.entry(RecordingHost::callback);
    AEffect* second = dll.entry(RecordingHost::callback);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(dispatch(first, effClose), 1);
    EXPECT_EQ(dispatch(second, effClose), 1);
}

// A host opens the editor in its window, idles it and closes it.
TEST_F(DllTest, EditorOpensIdlesAndCloses) {
    RecordingHost host;
    AEffect* effect = dll.entry(RecordingHost::callback);
    ASSERT_NE(effect, nullptr);
    ERect* rect = nullptr;
    EXPECT_EQ(dispatch(effect, effEditGetRect, 0, 0, &rect), 0);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right, 500);
    EXPECT_EQ(rect->bottom, 420);
    HostWindow& window = HostWindow::shared();
    EXPECT_EQ(dispatch(effect, effEditOpen, 0, 0, window.handle()), 1);
    EXPECT_NE(window.editorWindow(), nullptr);
    effect->setParameter(effect, 14, 0.75f);
    EXPECT_EQ(dispatch(effect, effEditIdle), 0);
    EXPECT_EQ(dispatch(effect, effEditClose), 0);
    EXPECT_EQ(window.editorWindow(), nullptr);
    // Pictures without a window are the Linux library's; this one has windows.
    std::vector<unsigned char> picture(static_cast<std::size_t>(kEditorPictureBytes), 7);
    EXPECT_EQ(dispatch(effect, effVendorSpecific, kEditorPictureRequest, kEditorPictureBytes, picture.data()), 0);
    EXPECT_EQ(picture, std::vector<unsigned char>(picture.size(), 7));
    EXPECT_EQ(dispatch(effect, effClose), 1);
}

} // namespace
