// The cost of silence: long after a note is released, its echoes have died
// away through the smallest numbers a float holds; a sample of that silence
// must cost no more than a sample of a held note.
#include <benchmark/benchmark.h>

#include <time.h>

#include <vector>

#include "engine/engine.h"
#include "tests/support/dying_echoes.h"

namespace {

constexpr float kRate = 44100.0f;
constexpr std::int32_t kBlock = 256;

// The CPU time this thread has used: what other programs take from the
// machine meanwhile is not counted.
double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

class Blocks {
public:
    Blocks() : left(kBlock), right(kBlock) {}
    void play(Engine& engine, double seconds) {
        for (double played = 0.0; played < seconds; played += kBlock / static_cast<double>(kRate)) {
            engine.render(kRate, left.data(), right.data(), kBlock);
        }
    }
    // One block's time in seconds, on this thread's clock.
    double time(Engine& engine) {
        const double start = threadSeconds();
        engine.render(kRate, left.data(), right.data(), kBlock);
        benchmark::DoNotOptimize(left.data());
        return threadSeconds() - start;
    }

private:
    std::vector<float> left;
    std::vector<float> right;
};

// A held note and the silence 60 s after a release, a block of each in turn,
// so that whatever else the machine does weighs on both alike.
void BM_SilenceAgainstHeldNote(benchmark::State& state) {
    Blocks blocks;
    auto held = engineWithDyingEchoes();
    held->handleMidi(0x90, 60, 100);
    blocks.play(*held, 2.0);
    auto silent = engineWithDyingEchoes();
    silent->handleMidi(0x90, 60, 100);
    blocks.play(*silent, 1.0);
    silent->handleMidi(0x80, 60, 0);
    blocks.play(*silent, 60.0);

    double heldSeconds = 0.0;
    double silentSeconds = 0.0;
    for (auto _ : state) {
        heldSeconds += blocks.time(*held);
        silentSeconds += blocks.time(*silent);
    }
    const double samples = static_cast<double>(state.iterations()) * kBlock;
    state.counters["held_ns_per_sample"] = heldSeconds * 1e9 / samples;
    state.counters["silence_ns_per_sample"] = silentSeconds * 1e9 / samples;
    state.counters["silence_over_held"] = silentSeconds / heldSeconds;
}
BENCHMARK(BM_SilenceAgainstHeldNote);

} // namespace
