// How long the plug-in takes per sample, measured through its library as a
// host loads it (dlopen, LoadLibrary), so the Linux library and both DLLs
// under wine can be set side by side (tools/bench-libraries). A held note
// (note-on 69) plays in blocks of 512 frames at 44.1 kHz; one second of it
// warms up, then the timed seconds follow in passes of 16 blocks. Prints
// the time over all passes and over the fastest one: on a shared machine
// other work only ever adds time, so the fastest pass is the plug-in's own
// cost most nearly.
// Usage: process_timing LIBRARY [SECONDS]
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "vst2/vst2.h"
#include "tests/support/plugin_library.h"

namespace {

constexpr float kSampleRate = 44100.0f;
constexpr VstInt32 kBlockFrames = 512;
constexpr int kPassBlocks = 16;
constexpr double kPassFrames = static_cast<double>(kPassBlocks) * kBlockFrames;

VstIntPtr VSTCALLBACK quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f) {
    return effect->dispatcher(effect, opcode, 0, value, ptr, opt);
}

void holdNote(AEffect* effect) {
    VstMidiEvent note{};
    note.type = kVstMidiType;
    note.byteSize = sizeof note;
    note.midiData[0] = static_cast<char>(0x90);
    note.midiData[1] = 69;
    note.midiData[2] = 100;
    VstEvents events{};
    events.numEvents = 1;
    events.events[0] = reinterpret_cast<VstEvent*>(&note);
    dispatch(effect, effProcessEvents, 0, &events);
}

// Answers the nanoseconds the blocks took.
double playBlocks(AEffect* effect, long long blocks, std::vector<float>& left, std::vector<float>& right) {
    float* outputs[2] = {left.data(), right.data()};
    const auto start = std::chrono::steady_clock::now();
    for (long long block = 0; block < blocks; ++block) {
        effect->processReplacing(effect, nullptr, outputs, kBlockFrames);
    }
    return std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
}

// The loudest sample of the last block, so a silent plug-in shows.
float peakOf(const std::vector<float>& samples) {
    float peak = 0.0f;
    for (const float sample : samples) {
        peak = std::max(peak, std::fabs(sample));
    }
    return peak;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: process_timing LIBRARY [SECONDS]\n");
        return 2;
    }
    const double seconds = argc == 3 ? std::atof(argv[2]) : 10.0;
    if (!(seconds > 0.0 && seconds <= 3600.0)) {
        std::fprintf(stderr, "process_timing: SECONDS must lie in (0, 3600]\n");
        return 2;
    }
    const PluginLibrary library = openPluginLibrary(argv[1]);
    const PluginEntry entry = library != nullptr ? pluginEntry(library) : nullptr;
    AEffect* effect = entry != nullptr ? entry(quietHost) : nullptr;
    if (effect == nullptr) {
        std::fprintf(stderr, "process_timing: cannot make an instance of %s\n", argv[1]);
        return 1;
    }
    dispatch(effect, effSetSampleRate, 0, nullptr, kSampleRate);
    dispatch(effect, effSetBlockSize, kBlockFrames);
    dispatch(effect, effMainsChanged, 1);
    holdNote(effect);

    std::vector<float> left(kBlockFrames), right(kBlockFrames);
    playBlocks(effect, std::llround(kSampleRate / kBlockFrames), left, right);
    const long long passes = std::max(1LL, std::llround(seconds * kSampleRate / kPassFrames));
    double total = 0.0;
    double fastest = INFINITY;
    for (long long pass = 0; pass < passes; ++pass) {
        const double elapsed = playBlocks(effect, kPassBlocks, left, right);
        total += elapsed;
        fastest = std::min(fastest, elapsed);
    }
    const float peak = peakOf(left);

    dispatch(effect, effMainsChanged, 0);
    dispatch(effect, effClose);
    std::printf("%s: %.3f ns per sample over all, %.3f in the fastest pass (%lld passes of %d blocks of %d frames "
                "at %.0f Hz, last block's peak %.3f)\n",
                argv[1], total / (kPassFrames * static_cast<double>(passes)), fastest / kPassFrames, passes,
                kPassBlocks, kBlockFrames, static_cast<double>(kSampleRate), static_cast<double>(peak));
    return peak > 0.0f ? 0 : 1;
}
