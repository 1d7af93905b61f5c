// A Quorvane instance made directly, without a host, and helpers to play it.
#pragma once

#include <memory>
#include <vector>

#include "vst2/adelay.h"
#include "tests/support/one_midi_event.h"

inline std::unique_ptr<ADelay> makePlugin(audioMasterCallback host = nullptr) {
    return std::make_unique<ADelay>(host);
}

struct Rendered {
    std::vector<float> left;
    std::vector<float> right;
};

// Renders frames in blocks of blockSize through processReplacing.
inline Rendered render(ADelay& plugin, int frames, int blockSize = 256) {
    Rendered out{std::vector<float>(static_cast<std::size_t>(frames)),
                 std::vector<float>(static_cast<std::size_t>(frames))};
    for (int start = 0; start < frames; start += blockSize) {
        const int count = frames - start < blockSize ? frames - start : blockSize;
        float* channels[2] = {out.left.data() + start, out.right.data() + start};
        plugin.processReplacing(nullptr, channels, count);
    }
    return out;
}

// One MIDI message delivered as a host delivers it.
inline void sendMidi(ADelay& plugin, int status, int data1, int data2) {
    plugin.processEvents(OneMidiEvent(status, data1, data2).list());
}

inline void noteOn(ADelay& plugin, int note, int velocity = 127, int channel = 0) {
    sendMidi(plugin, 0x90 | channel, note, velocity);
}

inline void noteOff(ADelay& plugin, int note, int channel = 0) {
    sendMidi(plugin, 0x80 | channel, note, 0);
}
