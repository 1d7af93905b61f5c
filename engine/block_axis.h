// An axis as a block sees it: taken out of its record once when the block
// starts, stepped in locals, and put back once when it ends. The plain path
// takes one record at a time, the fast path two into a DoublePair; both go
// through the one list of fields below.
//
// The fields other threads write (held, target, modulator 0's amount) are
// read once, at the block's start: a write between blocks takes effect at the
// next block. A target written while a block runs is not lost: the block
// puts its own target back only if the record still holds the one it took.
#pragma once

#include <cstdint>
#include <cstring>

#include "engine/axis_record.h"
#include "engine/axis_step.h"
#include "engine/finite_or_zero.h"

// The modulation source bank: 11 slots, of which the LFO writes slot 6 every
// sample and nothing writes the others. During a block it has one more slot
// that stays 0.0: what a modulator reads when its source lies outside the bank.
constexpr int kNumModSources = 11;
constexpr int kLfoSourceSlot = 6;
constexpr int kSourceBankSlots = kNumModSources + 1;
constexpr int kSilentSourceSlot = kNumModSources;

inline std::int32_t sourceSlotOf(const AxisRecord& record) {
    const std::int32_t source = record.modulators[0].source;
    return source >= 0 && source < kSilentSourceSlot ? source : kSilentSourceSlot;
}

// Everything but the target, which the caller reads once (targetAtStart).
// Lanes answers number(field) and flag(field) across its records.
template <typename Number, typename Lanes> AxisMotion<Number> takeMotion(const Lanes& lanes) {
    AxisMotion<Number> m;
    m.held = lanes.flag([](const AxisRecord& r) { return r.held.load(); });
    m.staticPos = lanes.number([](const AxisRecord& r) { return r.staticPos; });
    m.staticCoeff = lanes.number([](const AxisRecord& r) { return r.staticCoeff; });
    m.spring.pos = lanes.number([](const AxisRecord& r) { return r.pos; });
    m.spring.velocity = lanes.number([](const AxisRecord& r) { return r.velocity; });
    m.spring.accel = lanes.number([](const AxisRecord& r) { return r.accel; });
    m.spring.damping = lanes.number([](const AxisRecord& r) { return r.damping; });
    m.spring.stiffness = lanes.number([](const AxisRecord& r) { return r.stiffness; });
    m.amount = lanes.number([](const AxisRecord& r) { return finiteOrZero(r.modulators[0].amount.load()); });
    m.modTarget = lanes.number([](const AxisRecord& r) { return r.modulators[0].target; });
    m.modulator.pos = lanes.number([](const AxisRecord& r) { return r.modulators[0].pos; });
    m.modulator.velocity = lanes.number([](const AxisRecord& r) { return r.modulators[0].velocity; });
    m.modulator.accel = lanes.number([](const AxisRecord& r) { return r.modulators[0].accel; });
    m.modulator.damping = lanes.number([](const AxisRecord& r) { return r.modulators[0].damping; });
    m.modulator.stiffness = lanes.number([](const AxisRecord& r) { return r.modulators[0].stiffness; });
    m.out = lanes.number([](const AxisRecord& r) { return r.out.load(); });
    return m;
}

// What the law moved, back into the records, but the target (putTarget):
// the starting point of the next block, one half of the axis at a time
// (engine/axis_step.h). Lanes::put(value, store) rounds each lane to single
// precision and hands it to store(record, value). A spring driven past the
// float range within the block leaves nothing behind.
template <typename Number, typename Lanes> void putPositionState(const AxisMotion<Number>& m, Lanes& lanes) {
    lanes.put(m.spring.pos, [](AxisRecord& r, float v) { r.pos = finiteOrZero(v); });
    lanes.put(m.spring.velocity, [](AxisRecord& r, float v) { r.velocity = finiteOrZero(v); });
}

template <typename Number, typename Lanes> void putModulationState(const AxisMotion<Number>& m, Lanes& lanes) {
    lanes.put(m.modulator.pos, [](AxisRecord& r, float v) { r.modulators[0].pos = finiteOrZero(v); });
    lanes.put(m.modulator.velocity, [](AxisRecord& r, float v) { r.modulators[0].velocity = finiteOrZero(v); });
}

// And this block's last results.
template <typename Number, typename Lanes> void putResults(const AxisMotion<Number>& m, Lanes& lanes) {
    lanes.put(m.spring.accel, [](AxisRecord& r, float v) { r.accel = finiteOrZero(v); });
    lanes.put(m.out, [](AxisRecord& r, float v) { r.out = finiteOrZero(v); });
    lanes.put(m.modTarget, [](AxisRecord& r, float v) { r.modulators[0].target = finiteOrZero(v); });
    lanes.put(m.modulator.accel, [](AxisRecord& r, float v) { r.modulators[0].accel = finiteOrZero(v); });
}

// The fields putResults writes, from one record into another.
inline void copyResults(const AxisRecord& from, AxisRecord& to) {
    to.accel = from.accel;
    to.out = from.out.load();
    to.modulators[0].target = from.modulators[0].target;
    to.modulators[0].accel = from.modulators[0].accel;
}

// Stores the block's target unless someone wrote the record's meanwhile.
inline void putTarget(AxisRecord& record, float targetAtStart, double target) {
    const float value = finiteOrZero(static_cast<float>(target));
    if (std::memcmp(&value, &targetAtStart, sizeof value) != 0) {
        record.target.replaceIfUnchanged(targetAtStart, value);
    }
}

// One axis for the plain path.
struct BlockAxis {
    AxisMotion<double> motion;
    std::int32_t sourceSlot;
    float targetAtStart; // as the record held it, bit for bit
};

BlockAxis takeAxis(const AxisRecord& record);
void putAxis(const BlockAxis& axis, AxisRecord& record);
