// The host's main thread: programs, pins and capabilities asked about, and
// the instance switched off and on with a new sample rate and block size in
// between. A polite host stops its audio thread for that; a rude one does it
// while the audio thread processes.
#include <chrono>
#include <mutex>
#include <string>
#include <thread>

#include "tests/stress/host_choices.h"
#include "tests/stress/instance_under_load.h"

namespace {

// The questions a host asks after loading a plug-in and again now and then.
void askAbout(AEffect* effect, HostChoices& choose, FailureLog& failures) {
    char text[256];
    effect->dispatcher(effect, effGetProgram, 0, 0, nullptr, 0.0f);
    text[0] = 'x';
    effect->dispatcher(effect, effGetProgramName, 0, 0, text, 0.0f);
    if (std::string(text) != "Init.") {
        failures.record("the program is called \"" + std::string(text) + "\"");
    }
    effect->dispatcher(effect, effSetProgram, 0, choose.between(-2, 2), nullptr, 0.0f);
    effect->dispatcher(effect, effSetProgramName, 0, 0, text, 0.0f);
    effect->dispatcher(effect, effGetProgramNameIndexed, choose.between(-1, 2), 0, text, 0.0f);
    effect->dispatcher(effect, effGetVu, 0, 0, nullptr, 0.0f);
    VstPinProperties pin{};
    effect->dispatcher(effect, effGetOutputProperties, choose.between(-1, 2), 0, &pin, 0.0f);
    char capability[] = "receiveVstMidiEvent";
    if (effect->dispatcher(effect, effCanDo, 0, 0, capability, 0.0f) != 1) {
        failures.record("the instance stopped wanting MIDI");
    }
    effect->dispatcher(effect, effGetPlugCategory, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effGetVendorString, 0, 0, text, 0.0f);
    effect->dispatcher(effect, effGetTailSize, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effGetVstVersion, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effIdle, 0, 0, nullptr, 0.0f);
}

// Off, the new rate and block size (sometimes in one call), on.
void restartWithNewSettings(AEffect* effect, HostChoices& choose, bool anything) {
    effect->dispatcher(effect, effMainsChanged, 0, 0, nullptr, 0.0f);
    if (choose.chance(0.3)) {
        effect->dispatcher(effect, effSetBlockSizeAndSampleRate, 0, choose.blockSize(anything), nullptr,
                           choose.sampleRate(anything));
    } else {
        effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, choose.sampleRate(anything));
        effect->dispatcher(effect, effSetBlockSize, 0, choose.blockSize(anything), nullptr, 0.0f);
    }
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
}

} // namespace

void dispatchHostCalls(InstanceUnderLoad& instance, RunControl& run) {
    HostChoices choose(instance.seed);
    AEffect* effect = instance.effect;
    const bool anything = !instance.manners.tame;
    while (!run.stop.load(std::memory_order_relaxed)) {
        askAbout(effect, choose, run.failures);
        if (instance.manners.rude) {
            restartWithNewSettings(effect, choose, anything);
            if (choose.chance(0.5)) {
                // No mains cycle at all: the rate changes under the running audio.
                effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, choose.sampleRate(anything));
            }
        } else {
            const std::lock_guard<std::mutex> suspended(instance.processLock);
            restartWithNewSettings(effect, choose, anything);
        }
        instance.mainsCycles.fetch_add(1, std::memory_order_relaxed);
        std::this_thread::sleep_for(std::chrono::microseconds(choose.between(500, 5000)));
    }
}
