// A small VST 2 plug-in of our own that writes down everything its host
// does to it, one line per call, into the file named by QUORVANE_RECORD_LOG.
// Built in several variants (see tests/host/CMakeLists.txt) that are broken
// on purpose or process differently.
//
// Sound: each output channel is the matching input times the Gain parameter,
// plus velocity / 127 at the frame of each note-on (as the LV2 recorder's).
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "vst2/vst2.h"
#include "tests/host/recording_log.h"

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr int kNumParams = 3;
const char* const kParamNames[kNumParams] = {"Gain", "Tone Colour", "Mix"};

struct Recorder {
    AEffect effect{};
    audioMasterCallback host = nullptr;
    float params[kNumParams] = {1.0f, 0.5f, 0.25f};
    FILE* log = nullptr;
    long long framesDone = 0;
    // The note-ons of the next block: frame and level.
    static constexpr int kMaxClicks = 4096;
    int clicks = 0;
    VstInt32 clickFrame[kMaxClicks];
    float clickLevel[kMaxClicks];
};

Recorder* self(AEffect* effect) {
    return static_cast<Recorder*>(effect->object);
}

VstIntPtr dispatcher(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    Recorder* r = self(effect);
    switch (opcode) {
    case effOpen:
        note(r->log, "open");
        note(r->log, "host canDo sendVstEvents %d", static_cast<int>(r->host(effect, audioMasterCanDo, 0, 0,
                                                                            const_cast<char*>("sendVstEvents"), 0)));
        return 0;
    case effClose:
        note(r->log, "close");
        if (r->log != nullptr) {
            std::fclose(r->log);
        }
        delete r;
        return 1;
    case effSetSampleRate:
        note(r->log, "rate %g", opt);
        return 0;
    case effSetBlockSize:
        note(r->log, "block %d", static_cast<int>(value));
        return 0;
    case effMainsChanged:
        note(r->log, "mains %d", static_cast<int>(value));
        if (value != 0) {
            note(r->log, "host rate %d block %d", static_cast<int>(r->host(effect, audioMasterGetSampleRate, 0, 0, nullptr, 0)),
                 static_cast<int>(r->host(effect, audioMasterGetBlockSize, 0, 0, nullptr, 0)));
            // As an editor would report a user's change.
            r->host(effect, audioMasterAutomate, 1, 0, nullptr, r->params[1]);
        }
        return 0;
    case effGetParamName:
    case effGetParamLabel:
    case effGetParamDisplay:
        if (index < 0 || index >= kNumParams) {
            static_cast<char*>(ptr)[0] = '\0';
        } else if (opcode == effGetParamName) {
            std::strcpy(static_cast<char*>(ptr), kParamNames[index]);
        } else if (opcode == effGetParamLabel) {
            std::strcpy(static_cast<char*>(ptr), index == 0 ? "x" : "");
        } else {
            std::snprintf(static_cast<char*>(ptr), 8, "%.2f", r->params[index]);
        }
        return 0;
    case effProcessEvents: {
        const auto* events = static_cast<const VstEvents*>(ptr);
        note(r->log, "events %d", events->numEvents);
        auto* const* list = reinterpret_cast<VstEvent* const*>(reinterpret_cast<const char*>(events) +
                                                               offsetof(VstEvents, events));
        for (int i = 0; i < events->numEvents; ++i) {
            const auto* midi = reinterpret_cast<const VstMidiEvent*>(list[i]);
            const auto status = static_cast<unsigned char>(midi->midiData[0]);
            const auto velocity = static_cast<unsigned char>(midi->midiData[2]);
            note(r->log, "midi %d %d %d %d", midi->deltaFrames, status, static_cast<unsigned char>(midi->midiData[1]),
                 velocity);
            if ((status & 0xF0) == 0x90 && velocity > 0 && r->clicks < Recorder::kMaxClicks) {
                r->clickFrame[r->clicks] = midi->deltaFrames;
                r->clickLevel[r->clicks] = velocity / 127.0f;
                ++r->clicks;
            }
        }
        return 1;
    }
    case effGetPlugCategory:
        return kPlugCategEffect;
    case effCanDo:
        return std::strcmp(static_cast<const char*>(ptr), "receiveVstMidiEvent") == 0 ? 1 : -1;
    case effGetVstVersion:
        return 2400;
    case effGetEffectName:
        std::strcpy(static_cast<char*>(ptr), "Recorder");
        return 1;
    case effGetOutputProperties:
        if (index < 0 || index > 1) {
            return 0;
        }
        std::strcpy(static_cast<VstPinProperties*>(ptr)->label, index == 0 ? "Rec L" : "Rec R");
        static_cast<VstPinProperties*>(ptr)->flags = kVstPinIsActive | kVstPinIsStereo;
        return 1;
    default:
        return 0;
    }
}

// Logs the transport the host reports for the block, then the block.
void logBlock(Recorder* r, AEffect* effect, VstInt32 frames) {
    const auto* time = reinterpret_cast<const VstTimeInfo*>(r->host(effect, audioMasterGetTime, 0, 0, nullptr, 0));
    if (time == nullptr) {
        note(r->log, "process %d no-time", frames);
        return;
    }
    note(r->log, "process %d at %lld tempo %g ppq %.6f", frames, static_cast<long long>(time->samplePos), time->tempo,
         time->ppqPos);
    r->framesDone += frames;
}

void addClicks(Recorder* r, float** outputs, VstInt32 frames) {
    for (int k = 0; k < r->clicks; ++k) {
        if (r->clickFrame[k] >= 0 && r->clickFrame[k] < frames) {
            for (int c = 0; c < 2; ++c) {
                outputs[c][r->clickFrame[k]] += r->clickLevel[k];
            }
        }
    }
    r->clicks = 0;
}

void processReplacing(AEffect* effect, float** inputs, float** outputs, VstInt32 frames) {
    Recorder* r = self(effect);
    logBlock(r, effect, frames);
    for (int c = 0; c < 2; ++c) {
        for (VstInt32 i = 0; i < frames; ++i) {
            outputs[c][i] = inputs[c][i] * r->params[0];
        }
    }
    addClicks(r, outputs, frames);
}

// The accumulating entry of VST 1 hosts: adds to what the outputs hold.
void process(AEffect* effect, float** inputs, float** outputs, VstInt32 frames) {
    Recorder* r = self(effect);
    logBlock(r, effect, frames);
    for (int c = 0; c < 2; ++c) {
        for (VstInt32 i = 0; i < frames; ++i) {
            outputs[c][i] += inputs[c][i] * r->params[0];
        }
    }
    addClicks(r, outputs, frames);
}

void setParameter(AEffect* effect, VstInt32 index, float value) {
    Recorder* r = self(effect);
    note(r->log, "param %d %g", index, value);
    if (index >= 0 && index < kNumParams) {
        r->params[index] = value;
    }
}

float getParameter(AEffect* effect, VstInt32 index) {
    return index >= 0 && index < kNumParams ? self(effect)->params[index] : 0.0f;
}

[[maybe_unused]] AEffect* create(audioMasterCallback host) {
    auto* r = new (std::nothrow) Recorder;
    if (r == nullptr) {
        return nullptr;
    }
    r->host = host;
    if (const char* path = std::getenv("QUORVANE_RECORD_LOG")) {
        r->log = std::fopen(path, "w");
    }
    note(r->log, "host version %d", static_cast<int>(host(nullptr, audioMasterVersion, 0, 0, nullptr, 0)));
    AEffect& e = r->effect;
    e.magic = kEffectMagic;
    e.dispatcher = dispatcher;
    e.process = process;
    e.processReplacing = processReplacing;
    e.setParameter = setParameter;
    e.getParameter = getParameter;
    e.numPrograms = 1;
    e.numParams = kNumParams;
    e.numInputs = 2;
    e.numOutputs = 2;
    e.flags = effFlagsCanReplacing;
    e.ioRatio = 1.0f;
    e.object = r;
    e.uniqueID = fourCharCode('R', 'e', 'c', 'd');
    e.version = 7;
#if defined(RECORDER_ACCUMULATES)
    e.flags = 0;
    e.processReplacing = nullptr;
#endif
#if defined(RECORDER_BAD_MAGIC)
    e.magic = fourCharCode('N', 'o', 'p', 'e');
#endif
    return &e;
}

} // namespace

#if defined(RECORDER_NO_ENTRY)
EXPORT int recorderSomethingElse() {
    return 0;
}
#elif defined(RECORDER_NULL_ENTRY)
EXPORT AEffect* VSTPluginMain(audioMasterCallback) {
    return nullptr;
}
#else
EXPORT AEffect* VSTPluginMain(audioMasterCallback host) {
    return create(host);
}
#endif
