// The engine's cost in three performances (bench/performances.h), in ns per
// output sample at 44.1 kHz, for blocks of 32, 512 and 1024 frames. Every
// measurement plays the same performance through the plain per-sample path
// on a second engine, so each figure comes with its ratio:
// plain_ns_per_sample / ns_per_sample. The figures are wall-clock time; the
// cpu_ counters give the thread's processor time beside them, which says
// more on a machine that other work keeps busy.
#include <benchmark/benchmark.h>

#include <time.h>

#include <chrono>
#include <memory>
#include <vector>

#include "bench/engine_sink.h"

namespace {

// One engine playing the performance in blocks, either way.
class Player {
public:
    Player(Performance performance, int blockFrames, bool plainPath)
        : performance(performance), blockFrames(blockFrames), plainPath(plainPath), engine(std::make_unique<Engine>()),
          sink(*engine), left(static_cast<std::size_t>(blockFrames)), right(left.size()) {
        beginPerformance(performance, sink);
    }

    struct Seconds {
        double wall;
        double processor;
    };

    // Plays at least frames samples; answers the time it took.
    Seconds play(long frames) {
        const auto begin = std::chrono::steady_clock::now();
        const double processorBegin = threadSeconds();
        for (long done = 0; done < frames; done += blockFrames) {
            continuePerformance(performance, sink, position, blockFrames);
            if (plainPath) {
                engine->renderPlain(44100.0f, left.data(), right.data(), blockFrames);
            } else {
                engine->render(44100.0f, left.data(), right.data(), blockFrames);
            }
            position += blockFrames;
        }
        benchmark::DoNotOptimize(left.data());
        benchmark::DoNotOptimize(right.data());
        return {std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count(),
                threadSeconds() - processorBegin};
    }

private:
    static double threadSeconds() {
        timespec now;
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
    }

    Performance performance;
    int blockFrames;
    bool plainPath;
    std::unique_ptr<Engine> engine;
    EngineSink sink;
    long position = 0;
    std::vector<float> left, right;
};

// Frames per timed batch: a whole number of blocks of every size measured,
// and long enough that reading the clock costs nothing.
constexpr long kBatchFrames = 4096;
constexpr long kPreRollFrames = 3 * 44100;

void BM_Performance(benchmark::State& state, Performance performance) {
    const auto blockFrames = static_cast<int>(state.range(0));
    Player fast(performance, blockFrames, false);
    Player plain(performance, blockFrames, true);
    // The springs settle from their start and the delay fills.
    fast.play(kPreRollFrames);
    plain.play(kPreRollFrames);
    Player::Seconds fastTime{0.0, 0.0};
    Player::Seconds plainTime{0.0, 0.0};
    long frames = 0;
    for (auto _ : state) {
        const Player::Seconds fastBatch = fast.play(kBatchFrames);
        state.SetIterationTime(fastBatch.wall);
        const Player::Seconds plainBatch = plain.play(kBatchFrames);
        fastTime = {fastTime.wall + fastBatch.wall, fastTime.processor + fastBatch.processor};
        plainTime = {plainTime.wall + plainBatch.wall, plainTime.processor + plainBatch.processor};
        frames += kBatchFrames;
    }
    const double perSample = 1e9 / static_cast<double>(frames);
    state.SetItemsProcessed(frames);
    state.counters["ns_per_sample"] = fastTime.wall * perSample;
    state.counters["plain_ns_per_sample"] = plainTime.wall * perSample;
    state.counters["plain_over_fast"] = plainTime.wall / fastTime.wall;
    state.counters["cpu_ns_per_sample"] = fastTime.processor * perSample;
    state.counters["cpu_plain_ns_per_sample"] = plainTime.processor * perSample;
}

BENCHMARK_CAPTURE(BM_Performance, held_note, Performance::HeldNote)->Arg(32)->Arg(512)->Arg(1024)->UseManualTime();
BENCHMARK_CAPTURE(BM_Performance, dragging, Performance::Dragging)->Arg(32)->Arg(512)->Arg(1024)->UseManualTime();
BENCHMARK_CAPTURE(BM_Performance, everything_moving, Performance::EverythingMoving)
    ->Arg(32)
    ->Arg(512)
    ->Arg(1024)
    ->UseManualTime();

} // namespace
