// A VST 2 plug-in library loaded and driven as a host drives it: the entry
// point, the host callback's answers, the opening and closing sequence.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "vst2/vst2.h"

// Anything that makes a plug-in unusable: the text is one line for the user.
class PluginError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the host tells a plug-in that asks, and what it counts of the
// plug-in's own calls.
struct HostState {
    double sampleRate = 44100.0;
    int blockSize = 512;
    double tempoBpm = 120.0;
    std::int64_t samplePos = 0;       // first frame of the block being processed
    bool transportChanged = true;     // until the first block has been processed
    int automateCalls = 0;            // audioMasterAutomate, from the plug-in's own editor or code
    int wantMidiCalls = 0;
    std::function<void(const std::string&)> log; // set with --verbose
    VstTimeInfo timeInfo{};
};

class VstPlugin {
public:
    // Loads the library, calls its entry (VSTPluginMain, else main), checks
    // the descriptor and sends effOpen.
    VstPlugin(const std::string& path, HostState& host);
    ~VstPlugin();
    VstPlugin(const VstPlugin&) = delete;
    VstPlugin& operator=(const VstPlugin&) = delete;

    AEffect& effect() { return *fx; }
    const std::string& path() const { return libraryPath; }
    const char* entryName() const { return entry; }

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f);

    // Sample rate and block size, then effMainsChanged 1.
    void start();
    // effMainsChanged 0; also done on destruction if still running.
    void stop();

    int numParams() const { return fx->numParams; }
    std::string parameterName(int index);
    std::string parameterLabel(int index);
    std::string parameterDisplay(int index);
    float parameter(int index) { return fx->getParameter(fx, index); }
    void setParameter(int index, float value) { fx->setParameter(fx, index, value); }
    std::vector<std::string> parameterNames();

    // A text the plug-in writes into a buffer of ours, whatever its length.
    std::string text(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0);

private:
    std::string libraryPath;
    HostState& host;
    void* library = nullptr;
    AEffect* fx = nullptr;
    const char* entry = nullptr;
    bool running = false;
};

// The host callback every loaded plug-in is given. One process renders with
// one host state; the plug-in may call before it has handed us its AEffect.
VstIntPtr VSTCALLBACK hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt);

// The canDo texts a host supports, answered 1 through audioMasterCanDo.
const std::vector<std::string>& hostCanDo();

// Four printable characters for an identifier, '?' where a byte is not.
std::string fourCharText(VstInt32 id);
