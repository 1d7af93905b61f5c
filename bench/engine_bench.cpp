// The audio engine's cost: per sample at common block sizes with everything
// moving, and per instance.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "tests/support/one_midi_event.h"
#include "vst2/adelay.h"

namespace {

// A held note, the LFO modulating pitch and level, the delay feeding back.
std::unique_ptr<ADelay> busyInstance() {
    auto plugin = std::make_unique<ADelay>(nullptr);
    plugin->setParameter(LXStaticPos, 0.8f);
    plugin->setParameter(LXStaticRate, 0.9f);
    plugin->setParameter(LYStaticPos, 0.45f);
    plugin->setParameter(LYStaticRate, 0.9f);
    plugin->setParameter(FYStaticPos, 0.4f);
    plugin->setParameter(FYStaticRate, 0.9f);
    plugin->setParameter(FXStaticPos, 0.7f);
    plugin->setParameter(FXStaticRate, 0.9f);
    plugin->setParameter(MYM0Amount, 0.7f);
    plugin->setParameter(MXM0Amount, 0.3f);
    plugin->processEvents(OneMidiEvent(0x90, 64, 100).list());
    return plugin;
}

void BM_ProcessReplacing(benchmark::State& state) {
    const auto frames = static_cast<VstInt32>(state.range(0));
    auto plugin = busyInstance();
    std::vector<float> left(static_cast<std::size_t>(frames)), right(left.size());
    float* outputs[2] = {left.data(), right.data()};
    // Past the first second: the springs are moving, the delay is full.
    for (int i = 0; i < 44100 / frames + 1; ++i) {
        plugin->processReplacing(nullptr, outputs, frames);
    }
    for (auto _ : state) {
        plugin->processReplacing(nullptr, outputs, frames);
        benchmark::DoNotOptimize(left.data());
    }
    state.SetItemsProcessed(state.iterations() * frames);
    state.counters["ns_per_sample"] =
        benchmark::Counter(static_cast<double>(state.iterations() * frames),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}
BENCHMARK(BM_ProcessReplacing)->Arg(32)->Arg(256)->Arg(1024);

void BM_ConstructAndDestroy(benchmark::State& state) {
    for (auto _ : state) {
        auto plugin = std::make_unique<ADelay>(nullptr);
        benchmark::DoNotOptimize(plugin.get());
    }
    state.counters["instance_bytes"] = static_cast<double>(sizeof(ADelay));
}
BENCHMARK(BM_ConstructAndDestroy)->Unit(benchmark::kMillisecond);

} // namespace
