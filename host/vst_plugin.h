// A VST 2 plug-in library loaded and driven as a host drives it: the entry
// point, the host callback's answers, the opening and closing sequence.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plugin.h"
#include "vst2/vst2.h"

// What the host callback answers from, and what it counts of the plug-in's
// own calls.
struct VstHostCalls {
    const HostState* host = nullptr;
    std::int64_t samplePos = 0;       // first frame of the block being processed
    bool transportChanged = true;     // until the first block has been processed
    int automateCalls = 0;            // audioMasterAutomate, from the plug-in's own editor or code
    int wantMidiCalls = 0;
    VstTimeInfo timeInfo{};
};

class VstPlugin : public Plugin {
public:
    // Loads the library, calls its entry (VSTPluginMain, else main), checks
    // the descriptor and sends effOpen.
    VstPlugin(const std::string& path, const HostState& host);
    ~VstPlugin() override;
    VstPlugin(const VstPlugin&) = delete;
    VstPlugin& operator=(const VstPlugin&) = delete;

    AEffect& effect() { return *fx; }
    const std::string& path() const { return libraryPath; }
    const char* entryName() const { return entry; }

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f);

    const std::string& location() const override { return libraryPath; }
    int audioInputs() const override { return fx->numInputs; }
    int audioOutputs() const override { return fx->numOutputs; }
    const std::vector<ParameterFacts>& parameters() override;
    void setParameter(int index, float value) override { fx->setParameter(fx, index, value); }

    // Sample rate and block size, then effMainsChanged 1. Events go through
    // a list of the size asked for, made here.
    void start(std::size_t maxEventsPerBlock) override;
    // effProcessEvents with the block's events, then processReplacing, or
    // process on cleared outputs where the plug-in cannot replace.
    void process(std::int64_t firstFrame, const ScheduledMessage* events, std::size_t eventCount, float** inputs,
                 float** outputs, int frames) override;
    // effMainsChanged 0.
    void stop() override;

    void describe(std::ostream& out) override;
    TextTable parameterTable() override;
    std::vector<std::uint8_t> editorPicture() override;

    int numParams() const { return fx->numParams; }
    std::string parameterName(int index);
    std::string parameterLabel(int index);
    std::string parameterDisplay(int index);
    float parameter(int index) { return fx->getParameter(fx, index); }

    // A text the plug-in writes into a buffer of ours, whatever its length.
    std::string text(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0);

private:
    std::string libraryPath;
    VstHostCalls& calls;
    void* library = nullptr;
    AEffect* fx = nullptr;
    const char* entry = nullptr;
    bool running = false;
    std::vector<ParameterFacts> facts;
    // The VstEvents record holds as many pointers as a block has events; its
    // declared array of two is only the start of that list.
    std::vector<VstMidiEvent> midi;
    std::vector<VstIntPtr> eventList;
};

// The host callback every loaded plug-in is given. One process renders with
// one plug-in; it may call before it has handed us its AEffect.
VstIntPtr VSTCALLBACK hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt);

// The canDo texts a host supports, answered 1 through audioMasterCanDo.
const std::vector<std::string>& hostCanDo();

// Four printable characters for an identifier, '?' where a byte is not.
std::string fourCharText(VstInt32 id);
