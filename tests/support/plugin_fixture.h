// A Quorvane instance made directly, without a host, and helpers to play it.
#pragma once

#include <memory>
#include <vector>

#include "vst2/adelay.h"

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
    VstMidiEvent midi{};
    midi.type = kVstMidiType;
    midi.byteSize = sizeof(VstMidiEvent);
    midi.midiData[0] = static_cast<char>(status);
    midi.midiData[1] = static_cast<char>(data1);
    midi.midiData[2] = static_cast<char>(data2);
    VstEvents events{};
    events.numEvents = 1;
    events.events[0] = reinterpret_cast<VstEvent*>(&midi);
    plugin.processEvents(&events);
}

inline void noteOn(ADelay& plugin, int note, int velocity = 127, int channel = 0) {
    sendMidi(plugin, 0x90 | channel, note, velocity);
}

inline void noteOff(ADelay& plugin, int note, int channel = 0) {
    sendMidi(plugin, 0x80 | channel, note, 0);
}
