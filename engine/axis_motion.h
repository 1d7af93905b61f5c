// The spring law. Every step is worked out in double precision from the
// single-precision fields and rounded to single only where it is stored into
// a field; the samples depend on exactly that.
#pragma once

#include <cmath>

#include "engine/axis_record.h"
#include "engine/engine_math.h"

// Closer than this at a block start and the position snaps onto its target,
// the target onto its rest position (the single-precision value of 0.0001).
constexpr double kSnapDistance = static_cast<double>(0.0001f);
// Smaller than this at a block start and a position or velocity becomes 0.0,
// so they never linger among denormal numbers.
constexpr double kFlushLevel = static_cast<double>(0.00001f);

inline float flushed(float value) {
    return std::fabs(static_cast<double>(value)) < kFlushLevel ? 0.0f : value;
}

inline float modulationSource(const float* sources, int count, std::int32_t slot) {
    return slot >= 0 && slot < count ? sources[slot] : 0.0f;
}

// Once per block: damping and stiffness from rate and overshoot, snapping,
// flushing.
inline void updateCoefficients(AxisRecord& axis) {
    axis.damping = static_cast<float>(0.995 + 0.005 * enginePow(axis.overshoot, 0.2));
    axis.stiffness = static_cast<float>(0.8 * enginePow(axis.rate, 3.0));
    axis.staticCoeff = static_cast<float>(0.8 * enginePow(axis.staticRate, 5.0));
    const float target = axis.target;
    if (std::fabs(static_cast<double>(axis.pos) - target) < kSnapDistance) {
        axis.pos = target;
    }
    if (std::fabs(static_cast<double>(target) - axis.staticPos) < kSnapDistance) {
        axis.target = axis.staticPos;
    }
    AxisModulator& modulator = axis.modulators[0];
    modulator.damping = static_cast<float>(0.995 + 0.005 * enginePow(modulator.overshoot, 0.2));
    modulator.stiffness = static_cast<float>(0.99 * enginePow(modulator.rate, 2.0));
    modulator.pos = flushed(modulator.pos);
    modulator.velocity = flushed(modulator.velocity);
    axis.pos = flushed(axis.pos);
    axis.velocity = flushed(axis.velocity);
}

// Once per sample. invSampleRate is the single-precision 1 / sample rate.
inline void stepAxis(AxisRecord& axis, const float* sources, int sourceCount, float invSampleRate) {
    const float target = axis.target;
    axis.accel = static_cast<float>((static_cast<double>(target) - axis.pos) * axis.stiffness);
    axis.velocity =
        static_cast<float>(static_cast<double>(axis.accel) + static_cast<double>(axis.velocity) * axis.damping);
    axis.pos = static_cast<float>(static_cast<double>(axis.pos) + static_cast<double>(axis.velocity) * invSampleRate);
    if (!axis.held) {
        axis.target = static_cast<float>(static_cast<double>(target) -
                                         (static_cast<double>(target) - axis.staticPos) * axis.staticCoeff);
    }

    AxisModulator& modulator = axis.modulators[0];
    modulator.target = static_cast<float>((static_cast<double>(modulator.amount) - 0.5) *
                                          modulationSource(sources, sourceCount, modulator.source));
    modulator.accel = static_cast<float>((static_cast<double>(modulator.target) - modulator.pos) * modulator.stiffness);
    modulator.velocity = static_cast<float>(static_cast<double>(modulator.accel) +
                                            static_cast<double>(modulator.velocity) * modulator.damping);
    modulator.pos = static_cast<float>(static_cast<double>(modulator.pos) +
                                       static_cast<double>(modulator.velocity) * invSampleRate);

    // A value that is no number lands on 0.0 like a negative one.
    const double v = static_cast<double>(axis.pos) + modulator.pos;
    axis.out = v > 2.0 ? 2.0f : (v >= 0.0 ? static_cast<float>(v) : 0.0f);
}

// Garbage from the host (NaN, infinities, values that overflow the spring)
// must not stay in the engine: every field that is no finite number becomes
// 0.0. Finite values are left exactly as they are.
void resetNonFinite(AxisRecord& axis);
