// A pair of axes whose two halves rested through a whole block
// (engine/fast_samples.cpp) rests through the next one in the same way if
// nothing its block start reads has changed: snapping and flushing, loading
// the pair and the rest checks are a function of the inputs kept here, bit
// for bit, and of nothing else. The fast path remembers such a pair with
// what its blocks give, and while the inputs hold, skips that work.
//
// - It remembers a pair only when the block start's snapping and flushing
//   changed nothing (engine/axis_motion.h): from the same fields, they
//   change nothing again, so skipping them is exact too.
// - A resting pair's records keep their state, and its targets too when
//   they are numbers (engine/block_axis.h, putTarget): a pair with a target
//   that is none is not remembered.
// - What the block leaves in the records is the last sample's results:
//   the output and the position's acceleration hold all block, and the
//   modulation's depend on the square wave's last sign alone (a modulator
//   at rest reads the LFO only through that sign: engine/axis_lanes.h), so
//   both are worked out here once, by the law.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

#include "engine/axis_lanes.h"

// What a block start reads of one axis, in bits.
struct LaneInputs {
    static constexpr int kWords = 15;
    std::uint32_t words[kWords];
};

template <typename T> std::uint32_t bitsOf(T value) {
    static_assert(sizeof(T) == sizeof(std::uint32_t));
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// target, held and amount are the fields other threads write, as the block
// start read them (amount made a number, as the pair holds it); the rest
// belongs to the audio thread. The last sample's results are left out.
inline LaneInputs laneInputs(const AxisRecord& record, float target, bool held, float amount, const float* bank) {
    const AxisModulator& modulator = record.modulators[0];
    const std::int32_t slot = sourceSlotOf(record);
    // The LFO's value changes every sample; what a lane makes of it is
    // decided by its amount and by whether the value is a number.
    const float fixedSource = slot == kLfoSourceSlot ? 0.0f : bank[slot];
    return {{bitsOf(target), held ? 1u : 0u, bitsOf(record.staticPos), bitsOf(record.staticCoeff), bitsOf(record.pos),
             bitsOf(record.velocity), bitsOf(record.damping), bitsOf(record.stiffness), bitsOf(amount),
             bitsOf(modulator.pos), bitsOf(modulator.velocity), bitsOf(modulator.damping), bitsOf(modulator.stiffness),
             bitsOf(slot), bitsOf(fixedSource)}};
}

class RestingPairMemo {
public:
    // True when a pair was remembered and its records, the source bank and
    // the rate hold what they held when it was.
    bool holds(const AxisRecord& low, const AxisRecord& high, const float* bank, float invSampleRate) const {
        if (!valid || bitsOf(invSampleRate) != rateBits || std::isfinite(bank[kLfoSourceSlot]) != lfoIsNumber) {
            return false;
        }
        return (differences(low, bank, inputs[0]) | differences(high, bank, inputs[1])) == 0;
    }

    // Pair p of lanes, loaded and found at rest (both halves) at the start
    // of a block whose snapping and flushing changed nothing in its records.
    void remember(const AxisLanes& lanes, int p, float invSampleRate);

    // The output the pair keeps, and the results the block's last sample
    // leaves when the square wave's sign was square.
    DoublePair output() const { return afterLastSample[0].out; }
    const AxisMotion<DoublePair>& resultsAfter(double square) const { return afterLastSample[square > 0.0 ? 1 : 0]; }

private:
    // Without a branch per word: all of them are compared every block.
    static std::uint32_t differences(const AxisRecord& record, const float* bank, const LaneInputs& remembered) {
        const LaneInputs now = laneInputs(record, record.target.load(), record.held.load(),
                                          finiteOrZero(record.modulators[0].amount.load()), bank);
        std::uint32_t differ = 0;
        for (int i = 0; i < LaneInputs::kWords; ++i) {
            differ |= now.words[i] ^ remembered.words[i];
        }
        return differ;
    }

    bool valid = false;
    LaneInputs inputs[2];
    std::uint32_t rateBits = 0;
    bool lfoIsNumber = false;
    AxisMotion<DoublePair> afterLastSample[2]; // square wave -1, +1
};
