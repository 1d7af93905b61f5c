// The stress and soak test: several instances played at once by every thread
// a host runs (audio, parameters, GUI with the editor, dispatcher), two twin
// instances checked against each other meanwhile, and the resident memory
// watched, for as long as asked. It prints what ran and what it found and
// exits non-zero on any failure; ThreadSanitizer watches it in its own tree.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/stress/instance_under_load.h"
#include "tests/stress/resident_memory.h"
#include "tests/stress/stress_host.h"
#include "tests/stress/twin_instances.h"
#include "vst2/plugin_entry.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kMiB = 1024.0 * 1024.0;
constexpr int kThreadsPerInstance = 4;

// Tame and wild, polite and rude hosts in turn, so that four instances meet
// every combination.
HostManners mannersOf(int instance) { return {instance % 2 == 0, instance / 2 % 2 == 1}; }

std::string describe(HostManners manners) {
    return std::string(manners.tame ? "tame" : "wild") + ", " + (manners.rude ? "rude" : "polite");
}

AEffect* openRunningInstance() {
    AEffect* effect = openPluginInstance(stressHostCallback);
    if (effect != nullptr) {
        effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
        effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, 44100.0f);
        effect->dispatcher(effect, effSetBlockSize, 0, 1024, nullptr, 0.0f);
        effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    }
    return effect;
}

// The resident set over the run: the level once everything has been
// allocated once (after the warm-up), and the highest level after that.
class MemoryWatch {
public:
    explicit MemoryWatch(double warmUpSeconds) : warmUp(warmUpSeconds), atStart(residentBytes()) {}

    void sample(double elapsedSeconds) {
        const std::int64_t now = residentBytes();
        latest = now;
        if (elapsedSeconds < warmUp) {
            return;
        }
        if (afterWarmUp == 0) {
            afterWarmUp = now;
        }
        peak = std::max(peak, now);
    }
    double growthMiB() const { return static_cast<double>(peak - afterWarmUp) / kMiB; }
    void report() const {
        std::printf("resident memory: %.1f MiB at start, %.1f MiB after %.1f s of warm-up, peak %.1f MiB after "
                    "it, %.1f MiB at the end: growth %.2f MiB\n",
                    atStart / kMiB, afterWarmUp / kMiB, warmUp, peak / kMiB, latest / kMiB, growthMiB());
    }

private:
    double warmUp;
    std::int64_t atStart;
    std::int64_t afterWarmUp = 0;
    std::int64_t peak = 0;
    std::int64_t latest = 0;
};

void reportInstance(int number, const InstanceUnderLoad& instance) {
    std::printf("instance %d (%s): %lld blocks, %lld frames, loudest %.3f; %lld parameter calls; %lld editor opens, "
                "%lld mouse messages; %lld mains cycles\n",
                number, describe(instance.manners).c_str(), static_cast<long long>(instance.blocks.load()),
                static_cast<long long>(instance.frames.load()), static_cast<double>(instance.loudest.load()),
                static_cast<long long>(instance.parameterCalls.load()),
                static_cast<long long>(instance.editorOpens.load()),
                static_cast<long long>(instance.mouseMessages.load()),
                static_cast<long long>(instance.mainsCycles.load()));
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Plays Quorvane instances from every thread a host runs at once and checks what comes out."};
    double seconds = 5.0;
    int instanceCount = 4;
    std::uint32_t seed = 1;
    double growthLimitMiB = -1.0;
    double reportEvery = 0.0;
    app.add_option("--seconds", seconds, "How long to run")->check(CLI::PositiveNumber);
    app.add_option("--instances", instanceCount, "Instances played by four threads each, besides the two twins")
        ->check(CLI::Range(1, 64));
    app.add_option("--seed", seed, "Seed of every thread's choices (the interleaving is the machine's)");
    app.add_option("--max-growth-mib", growthLimitMiB,
                   "Fail if the resident memory grows by more than this after the warm-up (not checked if absent)");
    app.add_option("--report-every", reportEvery, "Print progress every so many seconds (0: never)");
    CLI11_PARSE(app, argc, argv);

    RunControl run;
    reportHostFailuresTo(run.failures);
    std::vector<std::unique_ptr<InstanceUnderLoad>> instances;
    for (int i = 0; i < instanceCount; ++i) {
        auto instance = std::make_unique<InstanceUnderLoad>();
        instance->effect = openRunningInstance();
        instance->manners = mannersOf(i);
        instance->seed = seed * 7919u + static_cast<std::uint32_t>(i);
        if (instance->effect == nullptr) {
            std::fprintf(stderr, "quorvane_stress: no instance\n");
            return 1;
        }
        instances.push_back(std::move(instance));
    }

    MemoryWatch memory(std::min(2.0, seconds * 0.2));
    std::atomic<std::int64_t> twinBlocks{0};
    std::vector<std::thread> threads;
    for (const auto& instance : instances) {
        InstanceUnderLoad& loaded = *instance;
        for (auto role : {playAudio, automateParameters, playEditor, dispatchHostCalls}) {
            threads.emplace_back(role, std::ref(loaded), std::ref(run));
        }
    }
    threads.emplace_back(playTwins, std::ref(run), seed, std::ref(twinBlocks));

    const Clock::time_point start = Clock::now();
    double lastReport = 0.0;
    for (double elapsed = 0.0; elapsed < seconds; elapsed = std::chrono::duration<double>(Clock::now() - start).count()) {
        memory.sample(elapsed);
        if (reportEvery > 0.0 && elapsed - lastReport >= reportEvery) {
            lastReport = elapsed;
            std::printf("%.0f s: %lld twin blocks, %.1f MiB resident, %lld failures\n", elapsed,
                        static_cast<long long>(twinBlocks.load()), residentBytes() / kMiB,
                        static_cast<long long>(run.failures.count()));
            std::fflush(stdout);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    memory.sample(seconds);
    run.stop.store(true, std::memory_order_relaxed);
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (const auto& instance : instances) {
        AEffect* effect = instance->effect;
        effect->dispatcher(effect, effMainsChanged, 0, 0, nullptr, 0.0f);
        effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    }

    std::printf("quorvane_stress: %d instances and 2 twins, %zu threads, %.1f s, seed %u\n", instanceCount,
                threads.size(), seconds, seed);
    for (std::size_t i = 0; i < instances.size(); ++i) {
        reportInstance(static_cast<int>(i), *instances[i]);
    }
    std::printf("twins: %lld blocks compared\n", static_cast<long long>(twinBlocks.load()));
    std::printf("host: %lld automations heard\n", static_cast<long long>(automationsHeard()));
    memory.report();
    if (growthLimitMiB >= 0.0 && memory.growthMiB() > growthLimitMiB) {
        run.failures.record("resident memory grew by more than " + std::to_string(growthLimitMiB) + " MiB");
    }
    for (const std::string& failure : run.failures.firstFew()) {
        std::printf("FAILED: %s\n", failure.c_str());
    }
    std::printf("%lld failures\n", static_cast<long long>(run.failures.count()));
    return run.failures.count() == 0 ? 0 : 1;
}
