// The VST 2 build driven as a host drives it, through its entry and
// descriptor: a parameter is written when its value changes (by bits, so a
// NaN is written once), events go in before the block they belong to, with
// their frame offsets as deltaFrames.
#pragma once

#include <cstdint>
#include <vector>

#include "tests/integration/loaded_plugin.h"
#include "tests/lv2/scripted_performance.h"
#include "tests/support/recording_host.h"

class Vst2Player {
public:
    Vst2Player(const LoadedPlugin& library, float sampleRate);
    ~Vst2Player();
    Vst2Player(const Vst2Player&) = delete;
    Vst2Player& operator=(const Vst2Player&) = delete;

    bool valid() const { return effect != nullptr; }
    // Writes the parameter if it differs from what was last written.
    void write(std::int32_t index, float value);
    void play(const ScriptedBlock& block);
    float parameter(std::int32_t index) { return effect->getParameter(effect, index); }
    const std::vector<float>& left() const { return audio[0]; }
    const std::vector<float>& right() const { return audio[1]; }

private:
    RecordingHost host;
    AEffect* effect;
    std::vector<std::uint32_t> writtenBits;
    std::vector<float> audio[2];
};

std::uint32_t bitsOf(float value);
