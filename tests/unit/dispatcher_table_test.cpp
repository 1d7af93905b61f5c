// Every opcode reaches exactly one operation, with its arguments, and its
// answer comes back as the table has it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "vst2/audioeffectx.h"

namespace {

// Overrides every hook the dispatcher reaches and writes down what it received.
class RoutingProbe : public AudioEffectX {
public:
    RoutingProbe() : AudioEffectX(nullptr, 3, 10) {}

    std::vector<std::string> log;
    bool answerTrue = true;

    void process(float**, float**, VstInt32) override {}
    void open() override { note("open"); }
    void close() override { note("close"); }
    VstInt32 getProgram() override { return note("getProgram"), 2; }
    void setProgram(VstInt32 p) override { note("setProgram", p); }
    void setProgramName(char*) override { note("setProgramName"); }
    void getProgramName(char*) override { note("getProgramName"); }
    void getParameterLabel(VstInt32 i, char*) override { note("getParameterLabel", i); }
    void getParameterDisplay(VstInt32 i, char*) override { note("getParameterDisplay", i); }
    void getParameterName(VstInt32 i, char*) override { note("getParameterName", i); }
    float getVu() override { return note("getVu"), 0.5f; }
    VstInt32 getChunk(void**, bool preset) override { return note("getChunk", preset), 11; }
    VstInt32 setChunk(void*, VstInt32 size, bool preset) override { return note("setChunk", size, preset), 12; }
    void setSampleRate(float rate) override { note("setSampleRate", static_cast<int>(rate)); }
    void setBlockSize(VstInt32 size) override { note("setBlockSize", size); }
    void suspend() override { note("suspend"); }
    void resume() override { note("resume"); }
    VstInt32 processEvents(VstEvents*) override { return note("processEvents"), 1; }
    bool canParameterBeAutomated(VstInt32 i) override { return note("canParameterBeAutomated", i), answerTrue; }
    bool string2parameter(VstInt32 i, char*) override { return note("string2parameter", i), answerTrue; }
    VstInt32 getNumCategories() override { return note("getNumCategories"), 4; }
    bool getProgramNameIndexed(VstInt32 c, VstInt32 i, char*) override {
        return note("getProgramNameIndexed", c, i), answerTrue;
    }
    bool copyProgram(VstInt32 d) override { return note("copyProgram", d), answerTrue; }
    void inputConnected(VstInt32 i, bool s) override { note("inputConnected", i, s); }
    void outputConnected(VstInt32 i, bool s) override { note("outputConnected", i, s); }
    bool getInputProperties(VstInt32 i, VstPinProperties*) override {
        return note("getInputProperties", i), answerTrue;
    }
    bool getOutputProperties(VstInt32 i, VstPinProperties*) override {
        return note("getOutputProperties", i), answerTrue;
    }
    VstInt32 getPlugCategory() override { return note("getPlugCategory"), 5; }
    VstInt32 reportCurrentPosition() override { return note("reportCurrentPosition"), 6; }
    float* reportDestinationBuffer() override { return note("reportDestinationBuffer"), nullptr; }
    bool offlineNotify(VstAudioFile*, VstInt32 n, bool s) override { return note("offlineNotify", n, s), answerTrue; }
    bool offlinePrepare(VstOfflineTask*, VstInt32 n) override { return note("offlinePrepare", n), answerTrue; }
    bool offlineRun(VstOfflineTask*, VstInt32 n) override { return note("offlineRun", n), answerTrue; }
    bool processVariableIo(VstVariableIo*) override { return note("processVariableIo"), answerTrue; }
    bool setSpeakerArrangement(VstSpeakerArrangement*, VstSpeakerArrangement*) override {
        return note("setSpeakerArrangement"), answerTrue;
    }
    void setBlockSizeAndSampleRate(VstInt32 size, float rate) override {
        note("setBlockSizeAndSampleRate", size, static_cast<int>(rate));
    }
    bool setBypass(bool on) override { return note("setBypass", on), answerTrue; }
    bool getEffectName(char*) override { return note("getEffectName"), answerTrue; }
    bool getErrorText(char*) override { return note("getErrorText"), answerTrue; }
    bool getVendorString(char*) override { return note("getVendorString"), answerTrue; }
    bool getProductString(char*) override { return note("getProductString"), answerTrue; }
    VstInt32 getVendorVersion() override { return note("getVendorVersion"), 7; }
    VstIntPtr vendorSpecific(VstInt32 a, VstIntPtr b, void*, float) override {
        return note("vendorSpecific", a, static_cast<int>(b)), 8;
    }
    VstInt32 canDo(char*) override { return note("canDo"), -1; }
    void* getIcon() override { return note("getIcon"), nullptr; }
    bool setViewPosition(VstInt32 x, VstInt32 y) override { return note("setViewPosition", x, y), answerTrue; }
    VstInt32 getGetTailSize() override { return note("getGetTailSize"), 9; }
    VstInt32 fxIdle() override { return note("fxIdle"), 10; }
    bool getParameterProperties(VstInt32 i, VstParameterProperties*) override {
        return note("getParameterProperties", i), answerTrue;
    }
    bool keysRequired() override { return note("keysRequired"), answerTrue; }
    VstInt32 getVstVersion() override { return note("getVstVersion"), 2; }

private:
    template <typename... Args> void note(const char* name, Args... args) {
        std::string entry = name;
        entry += '(';
        [[maybe_unused]] const char* separator = "";
        ((entry += separator, entry += std::to_string(static_cast<long long>(args)), separator = ","), ...);
        entry += ')';
        log.push_back(entry);
    }
};

struct Route {
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    float opt;
    const char* operation; // what the probe must have logged, or "" for nothing
    VstIntPtr answer;
};

// Arguments are chosen so that a swapped index and value would show.
const Route kRoutes[] = {
    {effOpen, 0, 0, 0.0f, "open()", 0},
    {effClose, 0, 0, 0.0f, "close()", 0},
    {effSetProgram, 0, 2, 0.0f, "setProgram(2)", 0},
    {effGetProgram, 0, 0, 0.0f, "getProgram()", 2},
    {effSetProgramName, 0, 0, 0.0f, "setProgramName()", 0},
    {effGetProgramName, 0, 0, 0.0f, "getProgramName()", 0},
    {effGetParamLabel, 4, 0, 0.0f, "getParameterLabel(4)", 0},
    {effGetParamDisplay, 5, 0, 0.0f, "getParameterDisplay(5)", 0},
    {effGetParamName, 6, 0, 0.0f, "getParameterName(6)", 0},
    {effGetVu, 0, 0, 0.0f, "getVu()", 16383},
    {effSetSampleRate, 0, 0, 48000.0f, "setSampleRate(48000)", 0},
    {effSetBlockSize, 0, 256, 0.0f, "setBlockSize(256)", 0},
    {effMainsChanged, 0, 0, 0.0f, "suspend()", 0},
    {effMainsChanged, 0, 1, 0.0f, "resume()", 0},
    {effMainsChanged, 0, -3, 0.0f, "resume()", 0},
    {effEditGetRect, 0, 0, 0.0f, "", 0},
    {effEditOpen, 0, 0, 0.0f, "", 0},
    {effEditClose, 0, 0, 0.0f, "", 0},
    {effEditDraw, 0, 0, 0.0f, "", 0},
    {effEditMouse, 0, 0, 0.0f, "", 0},
    {effEditKey, 0, 0, 0.0f, "", 0},
    {effEditIdle, 0, 0, 0.0f, "", 0},
    {effEditTop, 0, 0, 0.0f, "", 0},
    {effEditSleep, 0, 0, 0.0f, "", 0},
    {effIdentify, 0, 0, 0.0f, "", 0x4E764566},
    {effGetChunk, 1, 0, 0.0f, "getChunk(1)", 11},
    {effSetChunk, 0, 64, 0.0f, "setChunk(64,0)", 12},
    {effProcessEvents, 0, 0, 0.0f, "processEvents()", 1},
    {effCanBeAutomated, 1000, 0, 0.0f, "canParameterBeAutomated(1000)", 1},
    {effString2Parameter, 3, 0, 0.0f, "string2parameter(3)", 1},
    {effGetNumProgramCategories, 0, 0, 0.0f, "getNumCategories()", 4},
    {effGetProgramNameIndexed, 2, 9, 0.0f, "getProgramNameIndexed(9,2)", 1},
    {effCopyProgram, 2, 0, 0.0f, "copyProgram(2)", 1},
    {effConnectInput, 3, 0, 0.0f, "inputConnected(3,0)", 1},
    {effConnectOutput, 4, 1, 0.0f, "outputConnected(4,1)", 1},
    {effGetInputProperties, 1, 0, 0.0f, "getInputProperties(1)", 1},
    {effGetOutputProperties, 1, 0, 0.0f, "getOutputProperties(1)", 1},
    {effGetPlugCategory, 0, 0, 0.0f, "getPlugCategory()", 5},
    {effGetCurrentPosition, 0, 0, 0.0f, "reportCurrentPosition()", 6},
    {effGetDestinationBuffer, 0, 0, 0.0f, "reportDestinationBuffer()", 0},
    {effOfflineNotify, 1, 3, 0.0f, "offlineNotify(3,1)", 1},
    {effOfflinePrepare, 0, 3, 0.0f, "offlinePrepare(3)", 1},
    {effOfflineRun, 0, 3, 0.0f, "offlineRun(3)", 1},
    {effProcessVarIo, 0, 0, 0.0f, "processVariableIo()", 1},
    {effSetBlockSizeAndSampleRate, 0, 512, 48000.0f, "setBlockSizeAndSampleRate(512,48000)", 1},
    {effSetBypass, 0, 1, 0.0f, "setBypass(1)", 1},
    {effGetEffectName, 0, 0, 0.0f, "getEffectName()", 1},
    {effGetErrorText, 0, 0, 0.0f, "getErrorText()", 1},
    {effGetVendorString, 0, 0, 0.0f, "getVendorString()", 1},
    {effGetProductString, 0, 0, 0.0f, "getProductString()", 1},
    {effGetVendorVersion, 0, 0, 0.0f, "getVendorVersion()", 7},
    {effVendorSpecific, 5, 6, 0.0f, "vendorSpecific(5,6)", 8},
    {effCanDo, 0, 0, 0.0f, "canDo()", -1},
    {effGetTailSize, 0, 0, 0.0f, "getGetTailSize()", 9},
    {effIdle, 0, 0, 0.0f, "fxIdle()", 10},
    {effGetIcon, 0, 0, 0.0f, "getIcon()", 0},
    {effSetViewPosition, 7, 8, 0.0f, "setViewPosition(7,8)", 1},
    {effGetParameterProperties, 3, 0, 0.0f, "getParameterProperties(3)", 1},
    {effKeysRequired, 0, 0, 0.0f, "keysRequired()", 0},
    {effGetVstVersion, 0, 0, 0.0f, "getVstVersion()", 2},
};

TEST(DispatcherTable, EveryOpcodeReachesItsOperationWithItsArguments) {
    std::vector<bool> covered(effGetVstVersion + 1, false);
    for (const Route& route : kRoutes) {
        RoutingProbe probe;
        char buffer[256] = "untouched";
        const VstIntPtr answer = probe.dispatcher(route.opcode, route.index, route.value, buffer, route.opt);
        const std::vector<std::string> expected =
            *route.operation ? std::vector<std::string>{route.operation} : std::vector<std::string>{};
        EXPECT_EQ(probe.log, expected) << "opcode " << route.opcode;
        EXPECT_EQ(answer, route.answer) << "opcode " << route.opcode;
        covered[route.opcode] = true;
    }
    // effSetSpeakerArrangement carries a pointer in value as well.
    RoutingProbe probe;
    char input[8] = {};
    char output[8] = {};
    EXPECT_EQ(probe.dispatcher(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(input), output, 0.0f), 1);
    EXPECT_EQ(probe.log, std::vector<std::string>{"setSpeakerArrangement()"});
    covered[effSetSpeakerArrangement] = true;

    for (VstInt32 opcode = 0; opcode <= effGetVstVersion; ++opcode) {
        EXPECT_TRUE(covered[opcode]) << "opcode " << opcode << " has no route in this table";
    }
}

TEST(DispatcherTable, FalseAnswersBecomeZeroAndKeysRequiredIsInverted) {
    RoutingProbe probe;
    probe.answerTrue = false;
    char buffer[64] = {};
    for (VstInt32 opcode : {effCanBeAutomated, effString2Parameter, effCopyProgram, effGetInputProperties,
                            effGetOutputProperties, effSetBypass, effGetEffectName, effGetParameterProperties}) {
        EXPECT_EQ(probe.dispatcher(opcode, 0, 0, buffer, 0.0f), 0) << "opcode " << opcode;
    }
    EXPECT_EQ(probe.dispatcher(effKeysRequired, 0, 0, nullptr, 0.0f), 1);
}

TEST(DispatcherTable, OpcodesOutsideTheTableAnswerZeroAndCallNothing) {
    for (VstInt32 opcode : {59, 60, 100, -1, -25, 0x7FFFFFFF, static_cast<VstInt32>(0x80000000)}) {
        RoutingProbe probe;
        char buffer[16] = "keep";
        EXPECT_EQ(probe.dispatcher(opcode, 1, 1, buffer, 1.0f), 0) << "opcode " << opcode;
        EXPECT_TRUE(probe.log.empty()) << "opcode " << opcode;
        EXPECT_STREQ(buffer, "keep");
    }
}

TEST(DispatcherTable, SetProgramPassesValuesBelowTheCountSigned) {
    for (VstIntPtr value : {0, 2, -1, -100}) {
        RoutingProbe probe;
        probe.dispatcher(effSetProgram, 0, value, nullptr, 0.0f);
        EXPECT_EQ(probe.log, std::vector<std::string>{"setProgram(" + std::to_string(value) + ")"});
    }
    for (VstIntPtr value : {3, 5, 1000}) {
        RoutingProbe probe;
        probe.dispatcher(effSetProgram, 0, value, nullptr, 0.0f);
        EXPECT_TRUE(probe.log.empty()) << "value " << value;
    }
}

TEST(DispatcherTable, OpcodesThatUseTheirPointerDoNothingWithANullOne) {
    const VstInt32 pointerOpcodes[] = {effSetProgramName,
                                       effGetProgramName,
                                       effGetParamLabel,
                                       effGetParamDisplay,
                                       effGetParamName,
                                       effGetChunk,
                                       effSetChunk,
                                       effProcessEvents,
                                       effString2Parameter,
                                       effGetProgramNameIndexed,
                                       effGetInputProperties,
                                       effGetOutputProperties,
                                       effOfflineNotify,
                                       effOfflinePrepare,
                                       effOfflineRun,
                                       effProcessVarIo,
                                       effSetSpeakerArrangement,
                                       effGetEffectName,
                                       effGetErrorText,
                                       effGetVendorString,
                                       effGetProductString,
                                       effCanDo,
                                       effGetParameterProperties};
    for (VstInt32 opcode : pointerOpcodes) {
        RoutingProbe probe;
        EXPECT_EQ(probe.dispatcher(opcode, 0, 0, nullptr, 0.0f), 0) << "opcode " << opcode;
        EXPECT_TRUE(probe.log.empty()) << "opcode " << opcode;
    }
}

TEST(DispatcherTable, VuLevelsThatAreNoNumberOrTooLoudAnswerSafely) {
    struct LoudProbe : RoutingProbe {
        float level = 0.0f;
        float getVu() override { return level; }
    };
    LoudProbe probe;
    const std::pair<float, VstIntPtr> cases[] = {{1.0f, 32767}, {-1.0f, -32767},       {0.99999f, 32766},
                                                 {NAN, 0},      {INFINITY, 0},         {-INFINITY, 0},
                                                 {1e30f, 0},    {65536.0f, 2147418112}};
    for (const auto& [level, answer] : cases) {
        probe.level = level;
        EXPECT_EQ(probe.dispatcher(effGetVu, 0, 0, nullptr, 0.0f), answer) << level;
    }
}

} // namespace
