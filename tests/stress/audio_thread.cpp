// The host's audio thread: a block's automation and events, then the block,
// again and again, with the lengths and the MIDI a sequencer sends (and, from
// a host that sends anything, garbage), every sample and the memory past it
// checked.
#include <algorithm>
#include <limits>
#include <mutex>
#include <thread>

#include "tests/stress/guarded_outputs.h"
#include "tests/stress/host_events.h"
#include "tests/stress/instance_under_load.h"

void playAudio(InstanceUnderLoad& instance, RunControl& run) {
    HostChoices choose(instance.seed);
    AEffect* effect = instance.effect;
    const bool anything = !instance.manners.tame;
    const float bound = instance.manners.tame ? kTameOutputBound : std::numeric_limits<float>::max();
    GuardedOutputs outputs;
    HostEvents events;
    while (!run.stop.load(std::memory_order_relaxed)) {
        std::unique_lock<std::mutex> processing(instance.processLock, std::defer_lock);
        if (!instance.manners.rude && !processing.try_lock()) {
            std::this_thread::yield(); // suspended: the host skips this period
            continue;
        }
        // Hosts play automation from the audio thread too, before the block.
        for (int writes = choose.between(0, 2); writes > 0; --writes) {
            const VstInt32 index = choose.between(0, NumParams - 1);
            if (anything || !isFeedbackAxisParameter(index)) {
                effect->setParameter(effect, index, choose.parameterValue());
            }
        }
        events.choose(choose, anything);
        effect->dispatcher(effect, effProcessEvents, 0, 0, events.list(), 0.0f);
        const std::int32_t frames = chooseFrames(choose, anything);
        float** channels = anything && choose.chance(0.01) ? nullptr : outputs.channels();
        if (choose.chance(0.1)) {
            effect->process(effect, nullptr, channels, frames);
        } else {
            effect->processReplacing(effect, nullptr, channels, frames);
        }
        if (channels != nullptr) {
            const float loudest = outputs.check(frames, bound, run.failures);
            instance.loudest.store(std::max(loudest, instance.loudest.load(std::memory_order_relaxed)),
                                   std::memory_order_relaxed);
        }
        instance.blocks.fetch_add(1, std::memory_order_relaxed);
        instance.frames.fetch_add(std::max(frames, 0), std::memory_order_relaxed);
    }
}
