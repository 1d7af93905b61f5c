// A pair of axes whose two halves rested through a whole block
// (engine/fast_samples.cpp) rests through the next one in the same way if
// nothing its block start reads has changed: snapping and flushing, loading
// the pair and the rest checks are a function of those inputs, bit for bit,
// and of nothing else. The fast path remembers such a pair with what its
// blocks give, and while the inputs hold, skips that work.
//
// - The inputs that only updateAxes and the coefficient step write (static
//   position, coefficients, source slot) are not compared: the block frame
//   forgets every pair when those have run. The source bank's fixed slots
//   never change. The rest are compared, bit for bit, every block: what
//   other threads and MIDI write (target, held, amount), the motion, and
//   whether the LFO's last value is a number. The rate is not: at rest a
//   spring's velocity is 0.0, and the rate only ever multiplies that.
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

template <typename T> std::uint32_t bitsOf(T value) {
    static_assert(sizeof(T) == sizeof(std::uint32_t));
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// What a block start reads of one axis that can change between blocks
// without updateAxes, in bits. target, held and amount are the fields other
// threads write, as the block start read them (amount made a number, as the
// pair holds it).
struct LaneInputs {
    LaneInputs() = default;
    LaneInputs(const AxisRecord& record, float target, bool held, float amount)
        : words{bitsOf(target),
                held ? 1u : 0u,
                bitsOf(amount),
                bitsOf(record.pos),
                bitsOf(record.velocity),
                bitsOf(record.modulators[0].pos),
                bitsOf(record.modulators[0].velocity)} {}
    // As the record holds them now.
    explicit LaneInputs(const AxisRecord& record)
        : LaneInputs(record, record.target.load(), record.held.load(),
                     finiteOrZero(record.modulators[0].amount.load())) {}

    static constexpr int kWords = 7;
    std::uint32_t words[kWords] = {};
};

class RestingPairMemo {
public:
    // True when a pair is remembered and its records and the LFO hold what
    // they held when it was.
    bool holds(const AxisRecord& low, const AxisRecord& high, const float* bank) const {
        if (!valid || std::isfinite(bank[kLfoSourceSlot]) != lfoIsNumber) {
            return false;
        }
        return (differences(LaneInputs(low), inputs[0]) | differences(LaneInputs(high), inputs[1])) == 0;
    }

    // Pair p of lanes, loaded and found at rest (both halves) at the start
    // of a block whose snapping and flushing changed nothing in its records.
    void remember(const AxisLanes& lanes, int p, float invSampleRate);
    void forget() { valid = false; }

    // The output the pair keeps, and the records' results the block's last
    // sample leaves when the square wave's sign was square.
    DoublePair output() const { return out; }
    const AxisRecord (&resultsAfter(double square) const)[2] { return results[square > 0.0 ? 1 : 0]; }

private:
    // Without a branch per word: all of them are compared every block.
    static std::uint32_t differences(const LaneInputs& now, const LaneInputs& remembered) {
        std::uint32_t differ = 0;
        for (int i = 0; i < LaneInputs::kWords; ++i) {
            differ |= now.words[i] ^ remembered.words[i];
        }
        return differ;
    }

    bool valid = false;
    LaneInputs inputs[2];
    bool lfoIsNumber = false;
    DoublePair out;
    AxisRecord results[2][2]; // after the square wave's -1, +1; low, high
};
