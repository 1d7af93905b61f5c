// What a plug-in class gets from the two base classes when it overrides nothing.
#include <gtest/gtest.h>

#include <cstring>

#include "vst2/audioeffectx.h"

namespace {

class BarePlugin : public AudioEffectX {
public:
    explicit BarePlugin(VstInt32 programs = 1) : AudioEffectX(nullptr, programs, 90) {}
    void process(float**, float**, VstInt32) override {}
    AEffect& descriptor() { return cEffect; }
};

struct EditorLog {
    int getRect = 0, open = 0, close = 0, update = 0, destroyed = 0;
    void* parent = nullptr;
};

class LoggingEditor : public AEffEditor {
public:
    LoggingEditor(AudioEffect* effect, EditorLog& log) : AEffEditor(effect), log(log) {}
    ~LoggingEditor() override { ++log.destroyed; }
    VstInt32 getRect(ERect** out) override {
        ++log.getRect;
        *out = &rect;
        return 0;
    }
    VstInt32 open(void* parent) override {
        ++log.open;
        log.parent = parent;
        return 1;
    }
    void close() override { ++log.close; }
    void update() override { ++log.update; }
    VstInt32 updateFlagValue() const { return updateFlag; }

    ERect rect{0, 0, 420, 500};

private:
    EditorLog& log;
};

TEST(BaseBehaviour, DescriptorAsTheBaseConstructorLeavesIt) {
    BarePlugin plugin;
    const AEffect& e = plugin.descriptor();
    EXPECT_EQ(e.magic, 0x56737450);
    EXPECT_EQ(e.numPrograms, 1);
    EXPECT_EQ(e.numParams, 90);
    EXPECT_EQ(e.numInputs, 1);
    EXPECT_EQ(e.numOutputs, 2);
    EXPECT_EQ(e.flags, 0);
    EXPECT_EQ(e.resvd1, 0);
    EXPECT_EQ(e.resvd2, 0);
    EXPECT_EQ(e.initialDelay, 0);
    EXPECT_EQ(e.ioRatio, 1.0f);
    EXPECT_EQ(e.object, static_cast<AudioEffect*>(&plugin));
    EXPECT_EQ(e.user, nullptr);
    EXPECT_EQ(e.uniqueID, 0x4E6F4566);
    EXPECT_EQ(e.version, 1);
    for (char byte : e.future) {
        EXPECT_EQ(byte, 0);
    }
    EXPECT_EQ(plugin.getSampleRate(), 44100.0f);
    EXPECT_EQ(plugin.getBlockSize(), 1024);
    EXPECT_EQ(plugin.getEditor(), nullptr);
}

TEST(BaseBehaviour, SetupOperationsWriteOneFieldOrOneFlag) {
    BarePlugin plugin;
    AEffect& e = plugin.descriptor();
    plugin.setNumInputs(0);
    plugin.setNumOutputs(6);
    plugin.setUniqueID(fourCharCode('Q', 'r', 'v', 'x'));
    plugin.setInitialDelay(64);
    plugin.setRealtimeQualities(3);
    plugin.setOfflineQualities(4);
    EXPECT_EQ(e.numInputs, 0);
    EXPECT_EQ(e.numOutputs, 6);
    EXPECT_EQ(e.uniqueID, 0x51727678);
    EXPECT_EQ(e.initialDelay, 64);
    EXPECT_EQ(e.realQualities, 3);
    EXPECT_EQ(e.offQualities, 4);

    struct FlagSetter {
        void (AudioEffectX::*set)(bool);
        VstInt32 bit;
    };
    const FlagSetter setters[] = {{&AudioEffectX::hasClip, 2},
                                  {&AudioEffectX::hasVu, 4},
                                  {&AudioEffectX::canMono, 8},
                                  {&AudioEffectX::canProcessReplacing, 16},
                                  {&AudioEffectX::programsAreChunks, 32},
                                  {&AudioEffectX::isSynth, 256},
                                  {&AudioEffectX::noTail, 512},
                                  {&AudioEffectX::wantAsyncOperation, 1024},
                                  {&AudioEffectX::hasExternalBuffer, 2048}};
    for (const auto& setter : setters) {
        e.flags = 0x7;
        (plugin.*setter.set)(true);
        EXPECT_EQ(e.flags, 0x7 | setter.bit);
        (plugin.*setter.set)(false);
        EXPECT_EQ(e.flags, 0x7 & ~setter.bit);
    }
}

TEST(BaseBehaviour, ProgramsAndTextsAreNeutral) {
    BarePlugin plugin(3);
    char name[32] = "Lead";
    EXPECT_EQ(plugin.dispatcher(effSetProgramName, 0, 0, name, 0.0f), 0);
    EXPECT_EQ(name[0], 0);

    EXPECT_EQ(plugin.dispatcher(effSetProgram, 0, 2, nullptr, 0.0f), 0);
    EXPECT_EQ(plugin.dispatcher(effGetProgram, 0, 0, nullptr, 0.0f), 2);

    for (VstInt32 opcode : {effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName}) {
        char text[32] = "xxxxxxxxxxxxxxx";
        plugin.dispatcher(opcode, 0, 0, text, 0.0f);
        EXPECT_EQ(text[0], 0) << "opcode " << opcode;
        EXPECT_EQ(text[1], 'x') << "opcode " << opcode << " wrote past its terminator";
    }
    for (VstInt32 opcode :
         {effGetEffectName, effGetErrorText, effGetVendorString, effGetProductString, effGetProgramNameIndexed}) {
        char text[32] = "prefilled";
        EXPECT_EQ(plugin.dispatcher(opcode, 0, 0, text, 0.0f), 0) << "opcode " << opcode;
        EXPECT_STREQ(text, "prefilled") << "opcode " << opcode;
    }
    void* chunk = &plugin;
    EXPECT_EQ(plugin.dispatcher(effGetChunk, 0, 0, &chunk, 0.0f), 0);
    EXPECT_EQ(plugin.getChannelParameter(0, 0), 0.0f);
    EXPECT_EQ(plugin.getParameter(3), 0.0f);
}

TEST(BaseBehaviour, InquiryAnswersOfTheExtension) {
    BarePlugin plugin;
    EXPECT_EQ(plugin.dispatcher(effCanBeAutomated, 1000, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(plugin.dispatcher(effGetNumProgramCategories, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(plugin.dispatcher(effKeysRequired, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(plugin.dispatcher(effGetVstVersion, 0, 0, nullptr, 0.0f), 2);
    EXPECT_EQ(plugin.dispatcher(effConnectInput, 77, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(plugin.dispatcher(effConnectOutput, -4, 1, nullptr, 0.0f), 1);
    EXPECT_EQ(plugin.dispatcher(effGetPlugCategory, 0, 0, nullptr, 0.0f), kPlugCategUnknown);
    plugin.isSynth(true);
    EXPECT_EQ(plugin.dispatcher(effGetPlugCategory, 0, 0, nullptr, 0.0f), kPlugCategSynth);
    char text[] = "receiveVstEvents";
    EXPECT_EQ(plugin.dispatcher(effCanDo, 0, 0, text, 0.0f), 0);
    EXPECT_EQ(plugin.offlineGetNumPasses(), 0);
    EXPECT_EQ(plugin.offlineGetNumMetaPasses(), 0);
}

TEST(BaseBehaviour, SampleRateAndBlockSizeAreStored) {
    BarePlugin plugin;
    EXPECT_EQ(plugin.dispatcher(effSetBlockSizeAndSampleRate, 0, 512, nullptr, 48000.0f), 1);
    EXPECT_EQ(plugin.getBlockSize(), 512);
    EXPECT_EQ(plugin.getSampleRate(), 48000.0f);
    plugin.dispatcher(effSetSampleRate, 0, 0, nullptr, 88200.0f);
    plugin.dispatcher(effSetBlockSize, 0, 4096, nullptr, 0.0f);
    EXPECT_EQ(plugin.getSampleRate(), 88200.0f);
    EXPECT_EQ(plugin.getBlockSize(), 4096);
}

TEST(BaseBehaviour, EditorOpcodesWithoutAnEditorAnswerZeroAndTouchNothing) {
    BarePlugin plugin;
    ERect* rect = reinterpret_cast<ERect*>(&plugin);
    EXPECT_EQ(plugin.dispatcher(effEditGetRect, 0, 0, &rect, 0.0f), 0);
    EXPECT_EQ(rect, reinterpret_cast<ERect*>(&plugin));
    int parent = 0;
    EXPECT_EQ(plugin.dispatcher(effEditOpen, 0, 0, &parent, 0.0f), 0);
    EXPECT_EQ(plugin.dispatcher(effEditIdle, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(plugin.dispatcher(effEditClose, 0, 0, nullptr, 0.0f), 0);
}

TEST(BaseBehaviour, EditorOpcodesReachAnInstalledEditorWhichTheInstanceOwns) {
    EditorLog log;
    {
        BarePlugin plugin;
        auto* editor = new LoggingEditor(&plugin, log);
        plugin.setEditor(editor);
        EXPECT_EQ(plugin.descriptor().flags & effFlagsHasEditor, effFlagsHasEditor);

        ERect* rect = nullptr;
        EXPECT_EQ(plugin.dispatcher(effEditGetRect, 0, 0, &rect, 0.0f), 0);
        EXPECT_EQ(rect, &editor->rect);
        EXPECT_EQ(plugin.dispatcher(effEditGetRect, 0, 0, nullptr, 0.0f), 0);
        EXPECT_EQ(log.getRect, 1);

        int parent = 0;
        EXPECT_EQ(plugin.dispatcher(effEditOpen, 0, 0, &parent, 0.0f), 1);
        EXPECT_EQ(log.parent, &parent);
        plugin.dispatcher(effEditIdle, 0, 0, nullptr, 0.0f);
        plugin.dispatcher(effEditIdle, 0, 0, nullptr, 0.0f);
        EXPECT_EQ(log.update, 2) << "the base idle calls update every time";
        plugin.dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
        EXPECT_EQ(log.close, 1);
        for (VstInt32 opcode : {effEditDraw, effEditMouse, effEditKey, effEditTop, effEditSleep}) {
            EXPECT_EQ(plugin.dispatcher(opcode, 0, 0, nullptr, 0.0f), 0);
        }
        editor->postUpdate();
        EXPECT_EQ(editor->updateFlagValue(), 1);
        EXPECT_EQ(log.destroyed, 0);
    }
    EXPECT_EQ(log.destroyed, 1);

    BarePlugin plugin;
    plugin.setEditor(nullptr);
    EXPECT_EQ(plugin.descriptor().flags & effFlagsHasEditor, 0);
}

} // namespace
