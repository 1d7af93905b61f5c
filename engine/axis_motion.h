// The spring law's block-level part: coefficients, snapping, flushing. The
// per-sample part is engine/axis_step.h.
#pragma once

#include <cmath>
#include <cstring>

#include "engine/axis_record.h"
#include "engine/coefficient_memo.h"
#include "engine/correctly_rounded.h"
#include "engine/finite_or_zero.h"

// Closer than this at a block start and the position snaps onto its target,
// the target onto its rest position (the single-precision value of 0.0001).
constexpr double kSnapDistance = static_cast<double>(0.0001f);
// Smaller than this at a block start and a position or velocity becomes 0.0,
// so they never linger among denormal numbers.
constexpr double kFlushLevel = static_cast<double>(0.00001f);

inline bool sameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// A coefficient that overflows (a parameter far outside 0..1) is 0.0.
inline float dampingFor(float overshoot) {
    return finiteOrZero(static_cast<float>(0.995 + 0.005 * correctlyRoundedPow(overshoot, 0.2)));
}

// Damping and stiffness from overshoot and rate: they depend on those
// parameters alone, not on the sample rate or the axis's motion.
inline void updateSpringCoefficients(AxisRecord& axis, AxisCoefficientMemo& memo) {
    axis.damping = memo.damping(axis.overshoot, dampingFor);
    axis.stiffness = memo.stiffness(
        axis.rate, [](float rate) { return finiteOrZero(static_cast<float>(0.8 * correctlyRoundedPow(rate, 3.0))); });
    axis.staticCoeff = memo.staticCoeff(axis.staticRate, [](float staticRate) {
        return finiteOrZero(static_cast<float>(0.8 * correctlyRoundedPow(staticRate, 5.0)));
    });
    AxisModulator& modulator = axis.modulators[0];
    modulator.damping = memo.modulatorDamping(modulator.overshoot, dampingFor);
    modulator.stiffness = memo.modulatorStiffness(modulator.rate, [](float rate) {
        return finiteOrZero(static_cast<float>(0.99 * correctlyRoundedPow(rate, 2.0)));
    });
}

// A field flushed to 0.0 when it is smaller than kFlushLevel; true when
// that changed its bits (-0.0 becomes +0.0).
inline bool flush(float& field) {
    if (std::fabs(static_cast<double>(field)) < kFlushLevel) {
        const bool changed = !sameBits(field, 0.0f);
        field = 0.0f;
        return changed;
    }
    return false;
}

// Snapping and flushing, which read the motion and so are due every block.
// True when it changed the bits of a field: when it changes none, a block
// start from the same fields changes none either (engine/resting_pair_memo.h).
inline bool settleAtBlockStart(AxisRecord& axis) {
    const float target = axis.target;
    bool changed = false;
    if (std::fabs(static_cast<double>(axis.pos) - target) < kSnapDistance) {
        changed = !sameBits(axis.pos, target);
        axis.pos = target;
    }
    if (std::fabs(static_cast<double>(target) - axis.staticPos) < kSnapDistance) {
        changed = changed || !sameBits(target, axis.staticPos);
        axis.target = axis.staticPos;
    }
    AxisModulator& modulator = axis.modulators[0];
    // Every flush runs, whatever the ones before did.
    changed = flush(modulator.pos) || changed;
    changed = flush(modulator.velocity) || changed;
    changed = flush(axis.pos) || changed;
    changed = flush(axis.velocity) || changed;
    return changed;
}

// Once per block: damping and stiffness from rate and overshoot, snapping,
// flushing. The two parts touch disjoint fields, so their order is free.
inline void updateCoefficients(AxisRecord& axis, AxisCoefficientMemo& memo) {
    updateSpringCoefficients(axis, memo);
    settleAtBlockStart(axis);
}
