#include "engine/block_axis.h"

#include <cstring>

#include "engine/finite_or_zero.h"

BlockAxis takeAxis(const AxisRecord& record) {
    const AxisModulator& modulator = record.modulators[0];
    BlockAxis axis;
    axis.targetAtStart = record.target;
    AxisMotion<double>& m = axis.motion;
    m.target = finiteOrZero(axis.targetAtStart);
    m.held = record.held;
    m.staticPos = record.staticPos;
    m.staticCoeff = record.staticCoeff;
    m.spring = {record.pos, record.velocity, record.accel, record.damping, record.stiffness};
    m.amount = finiteOrZero(modulator.amount.load());
    m.modTarget = modulator.target;
    m.modulator = {modulator.pos, modulator.velocity, modulator.accel, modulator.damping, modulator.stiffness};
    m.out = record.out;
    const bool inBank = modulator.source >= 0 && modulator.source < kSilentSourceSlot;
    axis.sourceSlot = inBank ? modulator.source : kSilentSourceSlot;
    return axis;
}

void putAxis(const BlockAxis& axis, AxisRecord& record) {
    const AxisMotion<double>& m = axis.motion;
    AxisModulator& modulator = record.modulators[0];
    // A spring driven past the float range within the block leaves nothing
    // behind.
    record.pos = finiteOrZero(static_cast<float>(m.spring.pos));
    record.velocity = finiteOrZero(static_cast<float>(m.spring.velocity));
    record.accel = finiteOrZero(static_cast<float>(m.spring.accel));
    const float target = finiteOrZero(static_cast<float>(m.target));
    if (std::memcmp(&target, &axis.targetAtStart, sizeof target) != 0) {
        record.target.replaceIfUnchanged(axis.targetAtStart, target);
    }
    record.out = finiteOrZero(static_cast<float>(m.out));
    modulator.target = finiteOrZero(static_cast<float>(m.modTarget));
    modulator.pos = finiteOrZero(static_cast<float>(m.modulator.pos));
    modulator.velocity = finiteOrZero(static_cast<float>(m.modulator.velocity));
    modulator.accel = finiteOrZero(static_cast<float>(m.modulator.accel));
}
