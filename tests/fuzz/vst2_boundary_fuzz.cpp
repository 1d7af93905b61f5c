// libFuzzer target for the VST 2 host boundary. One instance, made through
// the exported entry of the instrumented library and kept across inputs as a
// host keeps it, is driven by each input's steps (fuzz_input.h): dispatcher
// calls, parameter writes and reads, event lists and blocks. The sanitizers
// watch the plug-in's memory and arithmetic; the harness checks what the
// interface promises: every frame of every output written, finite, the same
// on both channels; the axes' written-back targets finite; a parameter
// keeping what the host wrote; text ending inside its buffer.
#include <dlfcn.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "dispatch_call.h"
#include "exact_buffer.h"
#include "fuzz_failure.h"
#include "fuzz_input.h"
#include "fuzzed_events.h"

namespace {

using PluginEntry = AEffect* (*)(audioMasterCallback);

// A host that accepts the plug-in answers the version request with this.
constexpr VstIntPtr kHostVersion = 2400;
// What one input may ask for in all; later steps beyond it are skipped, so
// that every input stays quick (the fuzzer's reach is its speed).
constexpr std::int64_t kFramesPerInput = kMaxFrames + 1;
constexpr int kEditorIdlesPerInput = 4;
// Calls that cost as much as hundreds of ordinary steps and find nothing new
// when repeated soon are honoured once in so many inputs (Rationed).
constexpr int kInputsPerReset = 256;
constexpr int kInputsPerEditorOpen = 16;
constexpr int kInputsPerVendorRequest = 16;
// Output buffers start as NaN (all bits set), so a frame left unwritten shows.
constexpr unsigned char kNaNBytes = 0xFF;
constexpr VstIntPtr kVersionAnswers[] = {0, 1, kHostVersion, -1};

PluginEntry entry = nullptr;
VstIntPtr versionAnswer = kHostVersion;

VstIntPtr VSTCALLBACK hostCallback(AEffect* /*effect*/, VstInt32 opcode, VstInt32 /*index*/, VstIntPtr /*value*/,
                                   void* /*ptr*/, float /*opt*/) {
    return opcode == audioMasterVersion ? versionAnswer : 0;
}

bool sameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// A costly call (a new instance, an editor window, a picture of the editor)
// allowed once in a number of inputs. The first input of a process may make
// one, so that an input saved by the fuzzer replays with its first costly
// call honoured.
class Rationed {
public:
    explicit Rationed(int inputsPerCall) : inputsPerCall(inputsPerCall), inputsSince(inputsPerCall) {}
    bool take() {
        if (inputsSince < inputsPerCall) {
            return false;
        }
        inputsSince = 0;
        return true;
    }
    void endInput() { ++inputsSince; }

private:
    int inputsPerCall;
    int inputsSince;
};

// What the host knows of its instance.
class Host {
public:
    void makeInstance(VstIntPtr answer);
    void closeInstance();

    void dispatch(InputReader& input);
    void setParameter(InputReader& input);
    void getParameter(InputReader& input);
    void sendEvents(InputReader& input);
    void processBlock(InputReader& input, bool replacing);
    void reset(InputReader& input);
    void endInput() {
        pendingEvents.reset();
        framesAskedFor = 0;
        editorIdles = 0;
        for (Rationed* call : {&resets, &editorOpens, &vendorRequests}) {
            call->endInput();
        }
    }

private:
    bool isParameter(VstInt32 index) const { return index >= 0 && index < effect->numParams; }
    void forgetWrittenValues() { written.assign(written.size(), Written{}); }
    void checkTargetsFinite() const;

    AEffect* effect = nullptr;
    // Parameters that each block rewrites with an axis's target, found by name.
    std::vector<bool> targetParameter;
    std::vector<VstInt32> targets;
    // The last value the host wrote into each parameter, while it holds.
    struct Written {
        bool known = false;
        float value = 0.0f;
    };
    std::vector<Written> written;
    // Events stay the host's until the next block is done.
    std::unique_ptr<FuzzedEvents> pendingEvents;
    // What this input has asked for so far, and what may still come.
    std::int64_t framesAskedFor = 0;
    int editorIdles = 0;
    Rationed resets{kInputsPerReset};
    Rationed editorOpens{kInputsPerEditorOpen};
    Rationed vendorRequests{kInputsPerVendorRequest};
    bool withinLimits(VstInt32 opcode);
};

Host host;

void Host::makeInstance(VstIntPtr answer) {
    versionAnswer = answer;
    effect = entry(hostCallback);
    if (answer == 0) {
        require(effect == nullptr, "a host that answers 0 to the version request gets no instance");
        versionAnswer = kHostVersion;
        effect = entry(hostCallback);
    }
    require(effect != nullptr && effect->magic == kEffectMagic, "main makes an instance");
    require(effect->numParams >= 0 && effect->numParams <= 10000, "a parameter count a host can list");
    require(effect->numOutputs >= 0 && effect->numOutputs <= 64, "an output count a host can serve");
    targetParameter.assign(static_cast<std::size_t>(effect->numParams), false);
    targets.clear();
    for (VstInt32 index = 0; index < effect->numParams; ++index) {
        char name[14] = {};
        effect->dispatcher(effect, effGetParamName, index, 0, name, 0.0f);
        const std::string text(name, strnlen(name, sizeof name));
        const bool target = text.size() >= 9 && text.compare(text.size() - 9, 9, "TargetPos") == 0;
        targetParameter[static_cast<std::size_t>(index)] = target;
        if (target) {
            targets.push_back(index);
        }
    }
    written.assign(static_cast<std::size_t>(effect->numParams), Written{});
}

void Host::closeInstance() {
    pendingEvents.reset();
    require(effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f) == 1, "effClose answers 1");
    effect = nullptr;
}

bool Host::withinLimits(VstInt32 opcode) {
    switch (opcode) {
    case effEditOpen:
        return editorOpens.take();
    case effEditIdle:
        return ++editorIdles <= kEditorIdlesPerInput;
    case effVendorSpecific:
        return vendorRequests.take();
    default:
        return true;
    }
}

void Host::reset(InputReader& input) {
    const VstIntPtr answer = kVersionAnswers[input.byte() % 4];
    if (resets.take()) {
        closeInstance();
        makeInstance(answer);
    }
}

void Host::dispatch(InputReader& input) {
    DispatchCall call(input);
    if (!withinLimits(call.code())) {
        return;
    }
    call.send(effect);
    if (auto events = call.takeEvents()) {
        pendingEvents = std::move(events);
    }
    // Programs, chunks, text and the editor may set parameters themselves.
    switch (call.code()) {
    case effSetProgram:
    case effSetChunk:
    case effString2Parameter:
    case effCopyProgram:
    case effVendorSpecific:
    case effEditOpen:
    case effEditClose:
    case effEditDraw:
    case effEditMouse:
    case effEditKey:
    case effEditIdle:
        forgetWrittenValues();
        break;
    default:
        break;
    }
}

void Host::setParameter(InputReader& input) {
    const VstInt32 index = input.index();
    const float value = input.real();
    effect->setParameter(effect, index, value);
    if (isParameter(index)) {
        written[static_cast<std::size_t>(index)] = {true, value};
    }
}

void Host::getParameter(InputReader& input) {
    const VstInt32 index = input.index();
    const float value = effect->getParameter(effect, index);
    if (isParameter(index) && !targetParameter[static_cast<std::size_t>(index)]) {
        const Written& last = written[static_cast<std::size_t>(index)];
        require(!last.known || sameBits(value, last.value), "a parameter keeps what the host wrote");
    }
}

void Host::sendEvents(InputReader& input) {
    pendingEvents = std::make_unique<FuzzedEvents>(input);
    effect->dispatcher(effect, effProcessEvents, 0, 0, pendingEvents->list(), 0.0f);
}

void Host::processBlock(InputReader& input, bool replacing) {
    const VstInt32 frames = input.frames();
    const Channels channels = input.choice<Channels>();
    const std::size_t length = frames > 0 ? static_cast<std::size_t>(frames) : 0;
    framesAskedFor += static_cast<std::int64_t>(length);
    if (framesAskedFor > kFramesPerInput) {
        return;
    }

    const auto outputCount = static_cast<std::size_t>(effect->numOutputs);
    ExactBuffer outputList(sizeof(float*) * outputCount, 0);
    std::vector<ExactBuffer> outputs;
    for (std::size_t channel = 0; channel < outputCount; ++channel) {
        outputs.emplace_back(sizeof(float) * length, kNaNBytes);
        outputList.as<float*>()[channel] = outputs.back().as<float>();
    }
    if (outputCount >= 2 && channels == Channels::leftOnly) {
        outputList.as<float*>()[1] = nullptr;
    }
    if (outputCount >= 1 && channels == Channels::rightOnly) {
        outputList.as<float*>()[0] = nullptr;
    }
    // A synth has no inputs, yet hosts pass a stereo pair all the same.
    ExactBuffer silence(sizeof(float) * length, 0);
    float* inputList[2] = {silence.as<float>(), silence.as<float>()};

    float** in = channels == Channels::withInputs ? inputList : nullptr;
    float** out = channels == Channels::noOutputs ? nullptr : outputList.as<float*>();
    (replacing ? effect->processReplacing : effect->process)(effect, in, out, frames);
    pendingEvents.reset();

    const float* first = nullptr;
    for (std::size_t channel = 0; out != nullptr && channel < outputCount; ++channel) {
        const float* samples = out[channel];
        if (samples == nullptr) {
            continue;
        }
        for (std::size_t i = 0; i < length; ++i) {
            require(std::isfinite(samples[i]), "every output frame is written and finite");
        }
        if (first == nullptr) {
            first = samples;
        } else {
            require(std::memcmp(first, samples, sizeof(float) * length) == 0, "the channels carry the same signal");
        }
    }
    checkTargetsFinite();
}

// Each block writes the axes' targets back into these parameters: engine
// state that the host can see.
void Host::checkTargetsFinite() const {
    for (const VstInt32 index : targets) {
        require(std::isfinite(effect->getParameter(effect, index)), "an axis target is a number");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    // No X server: the editor opens in memory only, whatever window id comes.
    unsetenv("DISPLAY");
    void* library = dlopen(QUORVANE_FUZZ_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        std::fprintf(stderr, "%s\n", dlerror());
        std::exit(1);
    }
    entry = reinterpret_cast<PluginEntry>(dlsym(library, "VSTPluginMain"));
    if (entry == nullptr) {
        std::fprintf(stderr, "no VSTPluginMain in %s\n", QUORVANE_FUZZ_LIBRARY);
        std::exit(1);
    }
    host.makeInstance(kHostVersion);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InputReader input(data, size);
    while (!input.done()) {
        switch (input.step()) {
        case Step::dispatch:
            host.dispatch(input);
            break;
        case Step::setParameter:
            host.setParameter(input);
            break;
        case Step::getParameter:
            host.getParameter(input);
            break;
        case Step::events:
            host.sendEvents(input);
            break;
        case Step::processReplacing:
            host.processBlock(input, true);
            break;
        case Step::process:
            host.processBlock(input, false);
            break;
        default: // Step::reset
            host.reset(input);
            break;
        }
    }
    host.endInput();
    return 0;
}
