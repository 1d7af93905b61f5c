// What the load-cycle tests on Linux and under wine do alike with each
// fresh instance: a host that keeps nothing per call (so that it grows
// nothing itself), and an instance switched on and played for a few blocks.
#pragma once

#include "tests/support/one_midi_event.h"
#include "vst2/vst2.h"

namespace load_cycle {

constexpr int kBlockFrames = 256;

inline VstIntPtr VSTCALLBACK answerVersion(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

inline VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                          void* ptr = nullptr, float opt = 0.0f) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

// Opened, at 48 kHz, switched on, and a note held over a few blocks, then
// released.
inline void openAndPlay(AEffect* effect) {
    dispatch(effect, effOpen);
    dispatch(effect, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    dispatch(effect, effSetBlockSize, 0, kBlockFrames);
    dispatch(effect, effMainsChanged, 0, 1);
    float left[kBlockFrames];
    float right[kBlockFrames];
    float* outputs[2] = {left, right};
    OneMidiEvent(0x90, 69, 100).sendTo(effect);
    for (int block = 0; block < 4; ++block) {
        effect->processReplacing(effect, nullptr, outputs, kBlockFrames);
    }
    OneMidiEvent(0x80, 69, 100).sendTo(effect);
    effect->processReplacing(effect, nullptr, outputs, kBlockFrames);
}

} // namespace load_cycle
