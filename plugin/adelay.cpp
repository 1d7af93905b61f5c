#include "adelay.h"

#include <new>

#include "shell/plugin_entry.h"

namespace {
constexpr VstInt32 kNumPrograms = 1;
constexpr VstInt32 kNumParams = 90;
} // namespace

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
    return new (std::nothrow) ADelay(audioMaster);
}

ADelay::ADelay(audioMasterCallback audioMaster) : AudioEffectX(audioMaster, kNumPrograms, kNumParams) {
    setNumInputs(0);
    setNumOutputs(2);
    canProcessReplacing(true);
    canMono(true);
    setUniqueID(fourCharCode('Q', 'r', 'v', 'x'));
    isSynth(true);
    // The host hears this before main has handed it the descriptor.
    wantEvents(1);
    suspend();
}

// Hosts forget the MIDI request across a mains cycle; ask again.
void ADelay::resume() {
    wantEvents(1);
}

// Replaces, never accumulates: a host that calls process gets the same output.
void ADelay::process(float** inputs, float** outputs, VstInt32 sampleFrames) {
    processReplacing(inputs, outputs, sampleFrames);
}
