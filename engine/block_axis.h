// An axis as a block sees it: taken out of its record once when the block
// starts, stepped in locals, and put back once when it ends.
//
// The fields other threads write (held, target, modulator 0's amount) are
// read once, at the block's start: a write between blocks takes effect at the
// next block. A target written while a block runs is not lost: the block
// puts its own target back only if the record still holds the one it took.
#pragma once

#include <cstdint>

#include "engine/axis_record.h"
#include "engine/axis_step.h"

// The modulation source bank: 11 slots, of which the LFO writes slot 6 every
// sample and nothing writes the others. During a block it has one more slot
// that stays 0.0: what a modulator reads when its source lies outside the bank.
constexpr int kNumModSources = 11;
constexpr int kLfoSourceSlot = 6;
constexpr int kSourceBankSlots = kNumModSources + 1;
constexpr int kSilentSourceSlot = kNumModSources;

struct BlockAxis {
    AxisMotion<double> motion;
    std::int32_t sourceSlot; // the silent slot for sources outside the bank
    float targetAtStart;     // as the record held it, bit for bit
};

BlockAxis takeAxis(const AxisRecord& record);
void putAxis(const BlockAxis& axis, AxisRecord& record);
