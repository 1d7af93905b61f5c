#include "vst2/adelay.h"

#include <new>

#include "vst2/vst2_editor.h"
#include "vst2/plugin_entry.h"

namespace {
constexpr VstInt32 kNumPrograms = 1;
} // namespace

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
    return new (std::nothrow) ADelay(audioMaster);
}

// The engine is a member, built before this body runs: its tables and
// defaults come first, the host's MIDI request and the editor after.
ADelay::ADelay(audioMasterCallback audioMaster) : AudioEffectX(audioMaster, kNumPrograms, NumParams) {
    setNumInputs(0);
    setNumOutputs(2);
    canProcessReplacing(true);
    canMono(true);
    setUniqueID(fourCharCode('Q', 'r', 'v', 'x'));
    isSynth(true);

    // The host hears this before main has handed it the descriptor.
    wantEvents(1);

    // The editor installs itself through setEditor; without memory for it
    // the instance simply has no editor.
    new (std::nothrow) Vst2Editor(this);

    suspend();
}

// Hosts forget the MIDI request across a mains cycle; ask again.
void ADelay::resume() {
    wantEvents(1);
}

void ADelay::updateAxes() {
    engine.updateAxes();
}
