// Times the three performances (bench/performances.h) through a plug-in
// library loaded as a host loads it, in blocks of 512 at 44.1 kHz, and
// prints the median ns per output sample of several runs. Built for Linux
// and for Windows, so the same program times Quorvane.so natively and
// Quorvane.dll under wine:
//
//   build/performance_timing build/Quorvane.so
//   cd build-win32 && ../tools/wine-run ./performance_timing.exe Quorvane.dll
//
// A host has no way to the editor, so the editor's grabs of the axes that
// one performance makes are left out here.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include "bench/performances.h"
#include "vst2/vst2.h"

namespace {

VstIntPtr VSTCALLBACK quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

AEffect* instanceFrom(const char* path) {
    using Entry = AEffect*(VSTCALLBACK*)(audioMasterCallback);
#if defined(_WIN32)
    const HMODULE library = LoadLibraryA(path);
    void* entry = library != nullptr ? reinterpret_cast<void*>(GetProcAddress(library, "main")) : nullptr;
#else
    void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    void* entry = library != nullptr ? dlsym(library, "main") : nullptr;
#endif
    return entry != nullptr ? reinterpret_cast<Entry>(entry)(quietHost) : nullptr;
}

class PluginSink : public PerformanceSink {
public:
    explicit PluginSink(AEffect* effect) : effect(effect) {}
    void parameter(std::int32_t index, float value) override { effect->setParameter(effect, index, value); }
    void midi(int status, int data1, int data2) override {
        VstMidiEvent event;
        std::memset(&event, 0, sizeof event);
        event.type = kVstMidiType;
        event.byteSize = sizeof event;
        event.midiData[0] = static_cast<char>(status);
        event.midiData[1] = static_cast<char>(data1);
        event.midiData[2] = static_cast<char>(data2);
        VstEvents events{};
        events.numEvents = 1;
        events.events[0] = reinterpret_cast<VstEvent*>(&event);
        effect->dispatcher(effect, effProcessEvents, 0, 0, &events, 0.0f);
    }
    void hold(AxisIndex, float) override {}
    void release(AxisIndex) override {}

private:
    AEffect* effect;
};

constexpr int kBlockFrames = 512;
constexpr long kPreRollFrames = 3 * 44100;
constexpr long kTimedFrames = 10 * 44100;
constexpr int kRuns = 7;

// One instance from its start: pre-roll, then the median of the timed runs.
double nsPerSample(const char* path, Performance performance) {
    AEffect* effect = instanceFrom(path);
    if (effect == nullptr) {
        return -1.0;
    }
    effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    effect->dispatcher(effect, effSetBlockSize, 0, kBlockFrames, nullptr, 0.0f);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    PluginSink sink(effect);
    beginPerformance(performance, sink);
    std::vector<float> left(kBlockFrames), right(kBlockFrames);
    float* outputs[2] = {left.data(), right.data()};
    long position = 0;
    const auto play = [&](long frames) {
        for (long done = 0; done < frames; done += kBlockFrames, position += kBlockFrames) {
            continuePerformance(performance, sink, position, kBlockFrames);
            effect->processReplacing(effect, nullptr, outputs, kBlockFrames);
        }
    };
    play(kPreRollFrames);
    std::vector<double> runs;
    for (int run = 0; run < kRuns; ++run) {
        const auto begin = std::chrono::steady_clock::now();
        play(kTimedFrames);
        const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - begin;
        runs.push_back(took.count() / kTimedFrames);
    }
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: performance_timing PLUGIN\n");
        return 2;
    }
    for (Performance performance :
         {Performance::HeldNote, Performance::Dragging, Performance::EverythingMoving}) {
        const double ns = nsPerSample(argv[1], performance);
        if (ns < 0.0) {
            std::fprintf(stderr, "performance_timing: cannot make an instance of %s\n", argv[1]);
            return 1;
        }
        std::printf("%-18s %7.2f ns per sample\n", performanceName(performance), ns);
    }
    return 0;
}
