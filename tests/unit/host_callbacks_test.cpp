// Each wrapper sends one request with its arguments in the right slots, turns
// the host's answer into its result, and without a host calls nothing.
#include <gtest/gtest.h>

#include <functional>

#include "vst2/audioeffectx.h"
#include "tests/support/recording_host.h"

namespace {

class CallingPlugin : public AudioEffectX {
public:
    explicit CallingPlugin(audioMasterCallback host) : AudioEffectX(host, 1, 8) {}
    void process(float**, float**, VstInt32) override {}
    void setParameter(VstInt32 index, float value) override {
        if (index >= 0 && index < 8) {
            values[index] = value;
        }
    }
    float getParameter(VstInt32 index) override { return index >= 0 && index < 8 ? values[index] : 0.0f; }
    AEffect* descriptor() { return &cEffect; }

    float values[8] = {};
};

char hostText[64] = "text";
VstSpeakerArrangement* inputArrangement = nullptr;
VstSpeakerArrangement* outputArrangement = nullptr;

struct WrapperCase {
    const char* name;
    std::function<VstIntPtr(CallingPlugin&)> call;
    VstInt32 opcode, index;
    VstIntPtr value;
    void* ptr;
    float opt;
    VstIntPtr hostAnswer;  // what the host answers
    VstIntPtr withHost;    // what the wrapper gives then
    VstIntPtr withoutHost; // what the wrapper gives with no host
};

VstIntPtr asInt(bool b) {
    return b ? 1 : 0;
}
template <typename T> VstIntPtr asInt(T* p) {
    return reinterpret_cast<VstIntPtr>(p);
}

const std::vector<WrapperCase>& wrapperCases() {
    static const std::vector<WrapperCase> cases = {
        {"getMasterVersion", [](CallingPlugin& p) { return VstIntPtr{p.getMasterVersion()}; }, audioMasterVersion, 0, 0,
         nullptr, 0.0f, 2300, 2300, 1},
        {"getMasterVersion of 0", [](CallingPlugin& p) { return VstIntPtr{p.getMasterVersion()}; }, audioMasterVersion,
         0, 0, nullptr, 0.0f, 0, 1, 1},
        {"getCurrentUniqueId", [](CallingPlugin& p) { return VstIntPtr{p.getCurrentUniqueId()}; }, audioMasterCurrentId,
         0, 0, nullptr, 0.0f, 77, 77, 0},
        {"isInputConnected", [](CallingPlugin& p) { return asInt(p.isInputConnected(3)); }, audioMasterPinConnected, 3,
         0, nullptr, 0.0f, 0, 1, 1},
        {"isInputConnected, not", [](CallingPlugin& p) { return asInt(p.isInputConnected(3)); },
         audioMasterPinConnected, 3, 0, nullptr, 0.0f, 1, 0, 1},
        {"isOutputConnected", [](CallingPlugin& p) { return asInt(p.isOutputConnected(1)); }, audioMasterPinConnected,
         1, 1, nullptr, 0.0f, 0, 1, 1},
        {"getTimeInfo", [](CallingPlugin& p) { return asInt(p.getTimeInfo(0x2600)); }, audioMasterGetTime, 0, 0x2600,
         nullptr, 0.0f, asInt(hostText), asInt(hostText), 0},
        {"tempoAt", [](CallingPlugin& p) { return VstIntPtr{p.tempoAt(4410)}; }, audioMasterTempoAt, 0, 4410, nullptr,
         0.0f, 1200000, 1200000, 0},
        {"getNumAutomatableParameters", [](CallingPlugin& p) { return VstIntPtr{p.getNumAutomatableParameters()}; },
         audioMasterGetNumAutomatableParameters, 0, 0, nullptr, 0.0f, 12, 12, 0},
        {"getParameterQuantization", [](CallingPlugin& p) { return VstIntPtr{p.getParameterQuantization()}; },
         audioMasterGetParameterQuantization, 0, 0, nullptr, 0.0f, 127, 127, 0},
        {"ioChanged", [](CallingPlugin& p) { return asInt(p.ioChanged()); }, audioMasterIOChanged, 0, 0, nullptr, 0.0f,
         5, 1, 0},
        {"needIdle", [](CallingPlugin& p) { return asInt(p.needIdle()); }, audioMasterNeedIdle, 0, 0, nullptr, 0.0f, 1,
         1, 0},
        {"sizeWindow", [](CallingPlugin& p) { return asInt(p.sizeWindow(500, 420)); }, audioMasterSizeWindow, 500, 420,
         nullptr, 0.0f, 1, 1, 0},
        {"getInputLatency", [](CallingPlugin& p) { return VstIntPtr{p.getInputLatency()}; }, audioMasterGetInputLatency,
         0, 0, nullptr, 0.0f, 64, 64, 0},
        {"getOutputLatency", [](CallingPlugin& p) { return VstIntPtr{p.getOutputLatency()}; },
         audioMasterGetOutputLatency, 0, 0, nullptr, 0.0f, 128, 128, 0},
        {"getPreviousPlug", [](CallingPlugin& p) { return asInt(p.getPreviousPlug(1)); }, audioMasterGetPreviousPlug, 0,
         0, nullptr, 0.0f, asInt(hostText), asInt(hostText), 0},
        {"getNextPlug", [](CallingPlugin& p) { return asInt(p.getNextPlug(1)); }, audioMasterGetNextPlug, 0, 0, nullptr,
         0.0f, asInt(hostText), asInt(hostText), 0},
        {"willProcessReplacing", [](CallingPlugin& p) { return VstIntPtr{p.willProcessReplacing()}; },
         audioMasterWillReplaceOrAccumulate, 0, 0, nullptr, 0.0f, 2, 2, 0},
        {"getCurrentProcessLevel", [](CallingPlugin& p) { return VstIntPtr{p.getCurrentProcessLevel()}; },
         audioMasterGetCurrentProcessLevel, 0, 0, nullptr, 0.0f, 4, 4, 0},
        {"getAutomationState", [](CallingPlugin& p) { return VstIntPtr{p.getAutomationState()}; },
         audioMasterGetAutomationState, 0, 0, nullptr, 0.0f, 3, 3, 0},
        {"offlineStart",
         [](CallingPlugin& p) { return asInt(p.offlineStart(reinterpret_cast<VstAudioFile*>(hostText), 4, 2)); },
         audioMasterOfflineStart, 2, 4, hostText, 0.0f, 1, 1, 0},
        {"offlineRead",
         [](CallingPlugin& p) { return asInt(p.offlineRead(reinterpret_cast<VstOfflineTask*>(hostText), 9, true)); },
         audioMasterOfflineRead, 1, 9, hostText, 0.0f, 1, 1, 0},
        {"offlineWrite",
         [](CallingPlugin& p) { return asInt(p.offlineWrite(reinterpret_cast<VstOfflineTask*>(hostText), 9)); },
         audioMasterOfflineWrite, 0, 9, hostText, 0.0f, 0, 0, 0},
        {"offlineGetCurrentPass", [](CallingPlugin& p) { return VstIntPtr{p.offlineGetCurrentPass()}; },
         audioMasterOfflineGetCurrentPass, 0, 0, nullptr, 0.0f, 3, 1, 0},
        {"offlineGetCurrentMetaPass", [](CallingPlugin& p) { return VstIntPtr{p.offlineGetCurrentMetaPass()}; },
         audioMasterOfflineGetCurrentMetaPass, 0, 0, nullptr, 0.0f, 3, 1, 0},
        {"setOutputSamplerate", [](CallingPlugin& p) { return p.setOutputSamplerate(96000.0f), VstIntPtr{0}; },
         audioMasterSetOutputSampleRate, 0, 0, nullptr, 96000.0f, 0, 0, 0},
        {"getSpeakerArrangement",
         [](CallingPlugin& p) { return asInt(p.getSpeakerArrangement(&inputArrangement, &outputArrangement)); },
         audioMasterGetSpeakerArrangement, 0, asInt(&inputArrangement), &outputArrangement, 0.0f, 1, 1, 0},
        {"getHostVendorString", [](CallingPlugin& p) { return asInt(p.getHostVendorString(hostText)); },
         audioMasterGetVendorString, 0, 0, hostText, 0.0f, 1, 1, 0},
        {"getHostProductString", [](CallingPlugin& p) { return asInt(p.getHostProductString(hostText)); },
         audioMasterGetProductString, 0, 0, hostText, 0.0f, 1, 1, 0},
        {"getHostVendorVersion", [](CallingPlugin& p) { return VstIntPtr{p.getHostVendorVersion()}; },
         audioMasterGetVendorVersion, 0, 0, nullptr, 0.0f, 1000, 1000, 0},
        {"hostVendorSpecific", [](CallingPlugin& p) { return p.hostVendorSpecific(5, 6, hostText, 0.25f); },
         audioMasterVendorSpecific, 5, 6, hostText, 0.25f, 42, 42, 0},
        {"canHostDo", [](CallingPlugin& p) { return VstIntPtr{p.canHostDo(hostText)}; }, audioMasterCanDo, 0, 0,
         hostText, 0.0f, 1, 1, 0},
        {"canHostDo answered -1", [](CallingPlugin& p) { return VstIntPtr{p.canHostDo(hostText)}; }, audioMasterCanDo,
         0, 0, hostText, 0.0f, -1, 1, 0},
        {"canHostDo answered 0", [](CallingPlugin& p) { return VstIntPtr{p.canHostDo(hostText)}; }, audioMasterCanDo, 0,
         0, hostText, 0.0f, 0, 0, 0},
        {"getHostLanguage", [](CallingPlugin& p) { return VstIntPtr{p.getHostLanguage()}; }, audioMasterGetLanguage, 0,
         0, nullptr, 0.0f, 1, 1, 0},
        {"openWindow", [](CallingPlugin& p) { return asInt(p.openWindow(reinterpret_cast<VstWindow*>(hostText))); },
         audioMasterOpenWindow, 0, 0, hostText, 0.0f, asInt(hostText), asInt(hostText), 0},
        {"closeWindow", [](CallingPlugin& p) { return asInt(p.closeWindow(reinterpret_cast<VstWindow*>(hostText))); },
         audioMasterCloseWindow, 0, 0, hostText, 0.0f, 1, 1, 0},
        {"getDirectory", [](CallingPlugin& p) { return asInt(p.getDirectory()); }, audioMasterGetDirectory, 0, 0,
         nullptr, 0.0f, asInt(hostText), asInt(hostText), 0},
        {"updateDisplay", [](CallingPlugin& p) { return asInt(p.updateDisplay()); }, audioMasterUpdateDisplay, 0, 0,
         nullptr, 0.0f, 1, 1, 0},
        {"wantEvents", [](CallingPlugin& p) { return p.wantEvents(1), VstIntPtr{0}; }, audioMasterWantMidi, 0, 1,
         nullptr, 0.0f, 0, 0, 0},
        {"masterIdle", [](CallingPlugin& p) { return p.masterIdle(), VstIntPtr{0}; }, audioMasterIdle, 0, 0, nullptr,
         0.0f, 0, 0, 0},
    };
    return cases;
}

TEST(HostCallbacks, EachWrapperSendsOneRequestAndConvertsTheAnswer) {
    for (const WrapperCase& c : wrapperCases()) {
        RecordingHost host;
        host.answer = [&c](const HostCall&) { return c.hostAnswer; };
        CallingPlugin plugin(RecordingHost::callback);
        EXPECT_EQ(c.call(plugin), c.withHost) << c.name;
        ASSERT_EQ(host.calls.size(), 1u) << c.name;
        const HostCall& sent = host.calls.front();
        EXPECT_EQ(sent.effect, plugin.descriptor()) << c.name;
        EXPECT_EQ(sent.opcode, c.opcode) << c.name;
        EXPECT_EQ(sent.index, c.index) << c.name;
        EXPECT_EQ(sent.value, c.value) << c.name;
        EXPECT_EQ(sent.ptr, c.ptr) << c.name;
        EXPECT_EQ(sent.opt, c.opt) << c.name;
    }
}

TEST(HostCallbacks, WithoutAHostEachWrapperGivesItsFixedAnswer) {
    for (const WrapperCase& c : wrapperCases()) {
        CallingPlugin plugin(nullptr);
        EXPECT_EQ(c.call(plugin), c.withoutHost) << c.name;
    }
}

TEST(HostCallbacks, NoWrapperSendsTheOpcodesItHasNoUseFor) {
    RecordingHost host;
    CallingPlugin plugin(RecordingHost::callback);
    for (const WrapperCase& c : wrapperCases()) {
        c.call(plugin);
    }
    plugin.updateSampleRate();
    plugin.updateBlockSize();
    plugin.setParameterAutomated(1, 0.5f);
    for (VstInt32 opcode : {5, 8, 9, 36}) {
        EXPECT_EQ(host.count(opcode), 0) << "opcode " << opcode;
    }
}

TEST(HostCallbacks, AutomationStoresTheValueBeforeTellingTheHost) {
    RecordingHost host;
    CallingPlugin* watched = nullptr;
    float valueSeenByHost = -1.0f;
    host.answer = [&](const HostCall& call) -> VstIntPtr {
        if (call.opcode == audioMasterAutomate) {
            valueSeenByHost = watched->getParameter(call.index);
        }
        return 0;
    };
    CallingPlugin plugin(RecordingHost::callback);
    watched = &plugin;
    plugin.setParameterAutomated(3, 0.25f);
    ASSERT_EQ(host.count(audioMasterAutomate), 1);
    const HostCall* call = host.last(audioMasterAutomate);
    EXPECT_EQ(call->index, 3);
    EXPECT_EQ(call->value, 0);
    EXPECT_EQ(call->ptr, nullptr);
    EXPECT_EQ(call->opt, 0.25f);
    EXPECT_EQ(valueSeenByHost, 0.25f);

    CallingPlugin alone(nullptr);
    alone.setParameterAutomated(3, 0.25f);
    EXPECT_EQ(alone.getParameter(3), 0.25f);
}

TEST(HostCallbacks, RateAndBlockSizeAreReadBackAfterTheHostAnswered) {
    RecordingHost host;
    CallingPlugin* asking = nullptr;
    host.answer = [&](const HostCall& call) -> VstIntPtr {
        if (call.opcode == audioMasterGetSampleRate) {
            asking->dispatcher(effSetSampleRate, 0, 0, nullptr, 96000.0f);
            return 96000;
        }
        if (call.opcode == audioMasterGetBlockSize) {
            asking->dispatcher(effSetBlockSize, 0, 64, nullptr, 0.0f);
            return 64;
        }
        return 0;
    };
    CallingPlugin plugin(RecordingHost::callback);
    asking = &plugin;
    EXPECT_EQ(plugin.updateSampleRate(), 96000.0);
    EXPECT_EQ(plugin.updateBlockSize(), 64);
    EXPECT_EQ(host.count(audioMasterGetSampleRate), 1);
    EXPECT_EQ(host.count(audioMasterGetBlockSize), 1);

    CallingPlugin alone(nullptr);
    alone.dispatcher(effSetSampleRate, 0, 0, nullptr, 22050.0f);
    EXPECT_EQ(alone.updateSampleRate(), 22050.0);
    EXPECT_EQ(alone.updateBlockSize(), 1024);
}

} // namespace
