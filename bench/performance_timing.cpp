// Times the three performances (bench/performances.h) through a plug-in
// library loaded as a host loads it, in blocks of 512 at 44.1 kHz, and
// prints ns per output sample: the median of several runs and the fastest
// run (on a shared machine other work only ever adds time). Built for Linux
// and for Windows, so the same program times Quorvane.so natively and both
// DLLs under wine (tools/bench-libraries sets the three side by side):
//
//   build/performance_timing build/Quorvane.so [SECONDS]
//   cd build-win32 && ../tools/wine-run ./performance_timing.exe Quorvane.dll
//
// A host has no way to the editor, so the editor's grabs of the axes that
// one performance makes are left out here.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench/performances.h"
#include "tests/support/one_midi_event.h"
#include "tests/support/plugin_library.h"
#include "vst2/vst2.h"

namespace {

VstIntPtr VSTCALLBACK quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

AEffect* instanceFrom(const char* path) {
    const PluginLibrary library = openPluginLibrary(path);
    const PluginEntry entry = library != nullptr ? pluginEntry(library) : nullptr;
    return entry != nullptr ? entry(quietHost) : nullptr;
}

class PluginSink : public PerformanceSink {
public:
    explicit PluginSink(AEffect* effect) : effect(effect) {}
    void parameter(std::int32_t index, float value) override { effect->setParameter(effect, index, value); }
    void midi(int status, int data1, int data2) override { OneMidiEvent(status, data1, data2).sendTo(effect); }
    void hold(AxisIndex, float) override {}
    void release(AxisIndex) override {}

private:
    AEffect* effect;
};

constexpr int kBlockFrames = 512;
constexpr long kPreRollFrames = 3 * 44100;
constexpr int kRuns = 7;

struct Timing {
    double median;
    double fastest;
};

// One instance from its start: pre-roll, then kRuns timed runs of
// timedFrames each, in ns per sample.
bool timePerformance(const char* path, Performance performance, long timedFrames, Timing& timing) {
    AEffect* effect = instanceFrom(path);
    if (effect == nullptr) {
        return false;
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
        play(timedFrames);
        const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - begin;
        runs.push_back(took.count() / static_cast<double>(timedFrames));
    }
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    std::sort(runs.begin(), runs.end());
    timing = {runs[runs.size() / 2], runs.front()};
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const double seconds = argc == 3 ? std::atof(argv[2]) : 10.0;
    if (argc < 2 || argc > 3 || !(seconds >= 0.1 && seconds <= 3600.0)) {
        std::fprintf(stderr, "usage: performance_timing PLUGIN [SECONDS per run, 0.1 to 3600, default 10]\n");
        return 2;
    }
    const long timedFrames = static_cast<long>(seconds * 44100.0) / kBlockFrames * kBlockFrames;
    for (Performance performance :
         {Performance::HeldNote, Performance::Dragging, Performance::EverythingMoving}) {
        Timing timing{};
        if (!timePerformance(argv[1], performance, timedFrames, timing)) {
            std::fprintf(stderr, "performance_timing: cannot make an instance of %s\n", argv[1]);
            return 1;
        }
        std::printf("%-18s %7.2f ns per sample, fastest run %7.2f\n", performanceName(performance), timing.median,
                    timing.fastest);
    }
    return 0;
}
