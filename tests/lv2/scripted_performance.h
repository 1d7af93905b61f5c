// A performance both builds can play: blocks of any length (0 and 1
// included), parameter writes at block starts (NaN and infinities
// included), and MIDI at any frame of a block, with now and then an event
// that is not MIDI, which both builds must skip.
#pragma once

#include <cstdint>
#include <vector>

struct ScriptedEvent {
    std::int32_t frame;
    std::vector<std::uint8_t> bytes;
    bool isMidi; // false: an event of another type carrying the same bytes
};

struct ParameterWrite {
    std::int32_t index;
    float value;
};

struct ScriptedBlock {
    std::uint32_t frames;
    std::vector<ParameterWrite> writes; // before the block, in order
    std::vector<ScriptedEvent> events;  // frames never decrease
};

std::vector<ScriptedBlock> scriptPerformance(unsigned seed, int blockCount);
