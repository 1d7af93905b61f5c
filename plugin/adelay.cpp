#include "plugin/adelay.h"

#include <cstring>
#include <initializer_list>
#include <new>

#include "editor/editor_window.h"
#include "shell/plugin_entry.h"

namespace {
constexpr VstInt32 kNumPrograms = 1;
} // namespace

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
    return new (std::nothrow) ADelay(audioMaster);
}

ADelay::ADelay(audioMasterCallback audioMaster) : AudioEffectX(audioMaster, kNumPrograms, NumParams) {
    setNumInputs(0);
    setNumOutputs(2);
    canProcessReplacing(true);
    canMono(true);
    setUniqueID(fourCharCode('Q', 'r', 'v', 'x'));
    isSynth(true);

    fillTables();
    for (TableOscillator* oscillator : {&toneOsc, &lfoOsc}) {
        oscillator->phase = 0.0f;
        oscillator->increment = 0.0f;
    }
    std::memset(delay.buffer, 0, sizeof delay.buffer);
    delay.feedback = 0.0f;
    delay.wetGain = 0.0f;
    delay.writePos = 0;
    delay.readPos = 0.0f;
    for (AxisRecord& axis : axes) {
        clearAxis(axis);
    }
    for (float& source : modSources) {
        source = 0.0f;
    }

    // The host hears this before main has handed it the descriptor.
    wantEvents(1);

    for (VstInt32 index = 0; index < NumParams; ++index) {
        params[index] = parameterDefault(index);
    }
    paramsDirty = true;
    updateAxes();

    // The editor installs itself through setEditor; without memory for it
    // the instance simply has no editor.
    new (std::nothrow) EditorWindow(this);

    suspend();
}

// Hosts forget the MIDI request across a mains cycle; ask again.
void ADelay::resume() {
    wantEvents(1);
}
