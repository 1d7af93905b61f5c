#include "tests/stress/twin_instances.h"

#include <cstring>
#include <limits>
#include <string>

#include "engine/parameter_table.h"
#include "tests/stress/guarded_outputs.h"
#include "tests/stress/host_events.h"
#include "tests/stress/stress_host.h"
#include "vst2/plugin_entry.h"

namespace {

constexpr int kTwins = 2;

bool sameParameters(AEffect* a, AEffect* b) {
    for (VstInt32 index = 0; index < NumParams; ++index) {
        const float first = a->getParameter(a, index);
        const float second = b->getParameter(b, index);
        if (std::memcmp(&first, &second, sizeof first) != 0) {
            return false;
        }
    }
    return true;
}

// The same new rate for both, switched off and on around it as a polite host does.
void restartAt(AEffect* const (&twins)[kTwins], float sampleRate) {
    for (AEffect* effect : twins) {
        effect->dispatcher(effect, effMainsChanged, 0, 0, nullptr, 0.0f);
        effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, sampleRate);
        effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    }
}

} // namespace

void playTwins(RunControl& run, std::uint32_t seed, std::atomic<std::int64_t>& blocksCompared) {
    AEffect* const twins[kTwins] = {openPluginInstance(stressHostCallback), openPluginInstance(stressHostCallback)};
    if (twins[0] == nullptr || twins[1] == nullptr) {
        run.failures.record("no twin instances");
        return;
    }
    restartAt(twins, 44100.0f);
    HostChoices choose(seed);
    HostEvents events;
    GuardedOutputs outputs[kTwins];
    for (std::int64_t block = 0; !run.stop.load(std::memory_order_relaxed); ++block) {
        if (choose.chance(0.01)) {
            restartAt(twins, choose.sampleRate(true));
        }
        for (int writes = choose.between(0, 3); writes > 0; --writes) {
            const VstInt32 index = choose.between(-2, NumParams + 1);
            const float value = choose.parameterValue();
            for (AEffect* effect : twins) {
                effect->setParameter(effect, index, value);
            }
        }
        events.choose(choose, true);
        const std::int32_t frames = chooseFrames(choose, true);
        for (int twin = 0; twin < kTwins; ++twin) {
            AEffect* effect = twins[twin];
            effect->dispatcher(effect, effProcessEvents, 0, 0, events.list(), 0.0f);
            effect->processReplacing(effect, nullptr, outputs[twin].channels(), frames);
            outputs[twin].check(frames, std::numeric_limits<float>::max(), run.failures);
        }
        if (!outputs[0].sameAs(outputs[1], frames) || !sameParameters(twins[0], twins[1])) {
            run.failures.record("the twins parted at block " + std::to_string(block));
            break;
        }
        blocksCompared.fetch_add(1, std::memory_order_relaxed);
    }
    for (AEffect* effect : twins) {
        effect->dispatcher(effect, effMainsChanged, 0, 0, nullptr, 0.0f);
        effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    }
}
