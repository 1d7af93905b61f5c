#include "vst_plugin.h"

#include <dlfcn.h>
#include <link.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "vst2/editor_picture_request.h"

namespace {

// One process renders with one plug-in: the callback answers from this.
VstHostCalls activeCalls;

// Instances whose descriptor cannot be trusted to close them: kept, never
// touched again, so that what they hold is knowingly left rather than lost.
// The list itself is never destroyed, so it still holds them at exit.
std::vector<AEffect*>& abandoned = *new std::vector<AEffect*>;

constexpr VstIntPtr kHostVstVersion = 2400;
// Sizes a plug-in could claim that no real one has; past them the descriptor
// is garbage and buffers sized from it would be absurd.
constexpr VstInt32 kMaxChannels = 256;
constexpr VstInt32 kMaxParams = 100000;
// Hosts hand out far more than the interface's nominal 8 characters, and
// plug-ins rely on it (Quorvane's names run to 13).
constexpr std::size_t kTextBuffer = 512;

using EntryFunction = AEffect* (*)(audioMasterCallback);

std::string hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

// dlsym on a library handle also searches what the library depends on; an
// entry point must be the library's own.
bool definedIn(void* library, void* symbol) {
    link_map* map = nullptr;
    Dl_info info{};
    if (dlinfo(library, RTLD_DI_LINKMAP, &map) != 0 || dladdr(symbol, &info) == 0 || info.dli_fname == nullptr) {
        return false;
    }
    return std::strcmp(map->l_name, info.dli_fname) == 0;
}

} // namespace

const std::vector<std::string>& hostCanDo() {
    static const std::vector<std::string> texts = {
        "sendVstEvents", "sendVstMidiEvent", "sendVstTimeInfo",
    };
    return texts;
}

std::string fourCharText(VstInt32 id) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((static_cast<std::uint32_t>(id) >> shift) & 0xFFu);
        text += (c >= 0x20 && c < 0x7F) ? c : '?';
    }
    return text;
}

VstIntPtr VSTCALLBACK hostCallback(AEffect* /*effect*/, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                   void* ptr, float opt) {
    VstHostCalls& calls = activeCalls;
    const HostState* host = calls.host;
    if (host == nullptr) {
        return opcode == audioMasterVersion ? kHostVstVersion : 0;
    }
    switch (opcode) {
    case audioMasterAutomate:
        ++calls.automateCalls;
        if (host->log) {
            host->log("plug-in automates parameter " + std::to_string(index) + " = " + std::to_string(opt));
        }
        return 0;
    case audioMasterVersion:
        return kHostVstVersion;
    case audioMasterWantMidi:
        ++calls.wantMidiCalls;
        return 1;
    case audioMasterGetTime: {
        VstTimeInfo& t = calls.timeInfo;
        t = VstTimeInfo{};
        t.samplePos = static_cast<double>(calls.samplePos);
        t.sampleRate = host->sampleRate;
        t.tempo = host->tempoBpm;
        t.ppqPos = t.samplePos / host->sampleRate * host->tempoBpm / 60.0;
        t.barStartPos = std::floor(t.ppqPos / 4.0) * 4.0;
        t.timeSigNumerator = 4;
        t.timeSigDenominator = 4;
        t.flags = kVstTransportPlaying | kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstTimeSigValid |
                  (calls.transportChanged ? kVstTransportChanged : 0);
        (void)value; // the filter asks for fields; answering all of them is allowed
        return reinterpret_cast<VstIntPtr>(&t);
    }
    case audioMasterGetSampleRate:
        return static_cast<VstIntPtr>(host->sampleRate);
    case audioMasterGetBlockSize:
        return host->blockSize;
    case audioMasterCanDo: {
        if (ptr == nullptr) {
            return 0;
        }
        const char* asked = static_cast<const char*>(ptr);
        for (const std::string& text : hostCanDo()) {
            if (text == asked) {
                return 1;
            }
        }
        if (host->log) {
            host->log(std::string("plug-in asks canDo \"") + asked + "\": no");
        }
        return 0;
    }
    default:
        if (host->log) {
            host->log("plug-in sends host opcode " + std::to_string(opcode) + " (index " + std::to_string(index) +
                      "): answered 0");
        }
        return 0;
    }
}

VstPlugin::VstPlugin(const std::string& path, const HostState& host) : libraryPath(path), calls(activeCalls) {
    struct stat info{};
    if (stat(path.c_str(), &info) != 0) {
        throw PluginError("plug-in " + path + ": " + std::strerror(errno));
    }
    if (S_ISDIR(info.st_mode)) {
        throw PluginError("plug-in " + path + " is a directory, not a library");
    }
    // A path without a slash would make dlopen search the system's library
    // directories instead of opening the file the user named.
    const std::string openPath = path.find('/') == std::string::npos ? "./" + path : path;
    library = dlopen(openPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* why = dlerror();
        throw PluginError("cannot load plug-in " + path + ": " + (why != nullptr ? why : "unknown error"));
    }
    EntryFunction function = nullptr;
    for (const char* name : {"VSTPluginMain", "main"}) {
        void* symbol = dlsym(library, name);
        if (symbol != nullptr && definedIn(library, symbol)) {
            function = reinterpret_cast<EntryFunction>(symbol);
            entry = name;
            break;
        }
    }
    if (function == nullptr) {
        dlclose(library);
        throw PluginError(path + " is not a VST 2 plug-in: it exports neither VSTPluginMain nor main");
    }
    calls = VstHostCalls{};
    calls.host = &host;
    fx = function(hostCallback);
    if (fx == nullptr) {
        dlclose(library);
        throw PluginError(path + ": the plug-in's " + entry + " returned no instance");
    }
    // Past a wrong magic nothing in the record can be trusted, not even the
    // dispatcher that would close it; the instance is left behind.
    if (fx->magic != kEffectMagic) {
        abandoned.push_back(fx);
        dlclose(library);
        throw PluginError(path + " is not a VST 2 plug-in: its descriptor's magic is " + hex(fx->magic) +
                          ", not " + hex(kEffectMagic) + " ('VstP')");
    }
    std::string wrong;
    if (fx->dispatcher == nullptr) {
        wrong = "it has no dispatcher";
    } else if (fx->numInputs < 0 || fx->numInputs > kMaxChannels || fx->numOutputs < 0 ||
               fx->numOutputs > kMaxChannels) {
        wrong = "it claims " + std::to_string(fx->numInputs) + " inputs and " + std::to_string(fx->numOutputs) +
                " outputs";
    } else if (fx->numParams < 0 || fx->numParams > kMaxParams || fx->numPrograms < 0) {
        wrong = "it claims " + std::to_string(fx->numParams) + " parameters and " +
                std::to_string(fx->numPrograms) + " programs";
    } else if (fx->numParams > 0 && (fx->getParameter == nullptr || fx->setParameter == nullptr)) {
        wrong = "it has parameters but no parameter entries";
    } else if ((fx->flags & effFlagsCanReplacing) ? fx->processReplacing == nullptr : fx->process == nullptr) {
        wrong = "it has no processing entry";
    }
    if (!wrong.empty()) {
        dlclose(library);
        throw PluginError(path + ": broken VST 2 descriptor: " + wrong);
    }
    if (host.log) {
        host.log("loaded " + path + " through " + entry);
    }
    dispatch(effOpen);
}

VstPlugin::~VstPlugin() {
    stop();
    dispatch(effClose);
    calls.host = nullptr;
    dlclose(library);
}

VstIntPtr VstPlugin::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    return fx->dispatcher(fx, opcode, index, value, ptr, opt);
}

void VstPlugin::start(std::size_t maxEventsPerBlock) {
    midi.assign(maxEventsPerBlock, VstMidiEvent{});
    eventList.assign((offsetof(VstEvents, events) + std::max<std::size_t>(maxEventsPerBlock, 2) * sizeof(VstEvent*)) /
                             sizeof(VstIntPtr) + 1,
                     0);
    calls.samplePos = 0;
    calls.transportChanged = true;
    const HostState& host = *calls.host;
    dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(host.sampleRate));
    dispatch(effSetBlockSize, 0, host.blockSize);
    dispatch(effMainsChanged, 0, 1);
    running = true;
}

void VstPlugin::process(std::int64_t firstFrame, const ScheduledMessage* events, std::size_t eventCount,
                        float** inputs, float** outputs, int frames) {
    // A plug-in may ask for the transport while it takes events, too.
    calls.samplePos = firstFrame;
    if (eventCount > 0) {
        auto* list = reinterpret_cast<VstEvents*>(eventList.data());
        list->numEvents = static_cast<VstInt32>(eventCount);
        auto** slots = reinterpret_cast<VstEvent**>(reinterpret_cast<char*>(list) + offsetof(VstEvents, events));
        for (std::size_t i = 0; i < eventCount; ++i) {
            VstMidiEvent& event = midi[i];
            event = VstMidiEvent{};
            event.type = kVstMidiType;
            event.byteSize = sizeof(VstMidiEvent);
            event.deltaFrames = static_cast<VstInt32>(events[i].frame - firstFrame);
            for (int b = 0; b < 3; ++b) {
                event.midiData[b] = static_cast<char>(events[i].message.bytes[b]);
            }
            slots[i] = reinterpret_cast<VstEvent*>(&event);
        }
        dispatch(effProcessEvents, 0, 0, list);
    }
    if (fx->flags & effFlagsCanReplacing) {
        fx->processReplacing(fx, inputs, outputs, frames);
    } else {
        // process adds to what is there.
        for (int c = 0; c < fx->numOutputs; ++c) {
            std::fill(outputs[c], outputs[c] + frames, 0.0f);
        }
        fx->process(fx, inputs, outputs, frames);
    }
    calls.transportChanged = false;
}

void VstPlugin::stop() {
    if (running) {
        dispatch(effMainsChanged, 0, 0);
        running = false;
        if (calls.host->log) {
            calls.host->log("the plug-in sent " + std::to_string(calls.automateCalls) + " automation calls");
        }
    }
}
std::string VstPlugin::text(VstInt32 opcode, VstInt32 index, VstIntPtr value) {
    char buffer[kTextBuffer] = {};
    dispatch(opcode, index, value, buffer);
    buffer[kTextBuffer - 1] = '\0';
    return buffer;
}

std::string VstPlugin::parameterName(int index) {
    return text(effGetParamName, index);
}
std::string VstPlugin::parameterLabel(int index) {
    return text(effGetParamLabel, index);
}
std::string VstPlugin::parameterDisplay(int index) {
    return text(effGetParamDisplay, index);
}

const std::vector<ParameterFacts>& VstPlugin::parameters() {
    if (facts.empty() && fx->numParams > 0) {
        facts.reserve(static_cast<std::size_t>(fx->numParams));
        for (int i = 0; i < fx->numParams; ++i) {
            facts.push_back({parameterName(i), "", 0.0f, 1.0f});
        }
    }
    return facts;
}

std::vector<std::uint8_t> VstPlugin::editorPicture() {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(kEditorPictureBytes));
    if (dispatch(effVendorSpecific, kEditorPictureRequest, kEditorPictureBytes, rgb.data()) != 1) {
        rgb.clear();
    }
    return rgb;
}
