// An engine made directly, with no plug-in format around it, and helpers to
// play it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/engine.h"

constexpr float kRate44100 = 44100.0f;

inline std::unique_ptr<Engine> makeEngine() {
    return std::make_unique<Engine>();
}

struct Rendered {
    std::vector<float> left;
    std::vector<float> right;
};

// Renders frames in blocks of blockSize at the given sample rate.
inline Rendered render(Engine& engine, int frames, int blockSize = 256, float sampleRate = kRate44100) {
    Rendered out{std::vector<float>(static_cast<std::size_t>(frames)),
                 std::vector<float>(static_cast<std::size_t>(frames))};
    for (int start = 0; start < frames; start += blockSize) {
        const int count = frames - start < blockSize ? frames - start : blockSize;
        engine.render(sampleRate, out.left.data() + start, out.right.data() + start, count);
    }
    return out;
}

// A block of no samples: the refresh, the coefficients and the write-back.
inline void renderNothing(Engine& engine, float sampleRate = kRate44100) {
    engine.render(sampleRate, nullptr, nullptr, 0);
}

inline void sendMidi(Engine& engine, int status, int data1, int data2) {
    engine.handleMidi(static_cast<std::uint8_t>(status), static_cast<std::uint8_t>(data1),
                      static_cast<std::uint8_t>(data2));
}

inline void noteOn(Engine& engine, int note, int velocity = 127, int channel = 0) {
    sendMidi(engine, 0x90 | channel, note, velocity);
}

inline void noteOff(Engine& engine, int note, int channel = 0) {
    sendMidi(engine, 0x80 | channel, note, 0);
}
