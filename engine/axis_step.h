// One sample of the motion law, written once for any arithmetic that works in
// double precision and rounds to single precision where the record's field is
// single: plain doubles (one axis at a time, the reference the engine is
// checked against) or DoublePair (two axes per SSE2 instruction, the block
// loop). The fields hold single-precision values widened to double, which is
// exact and saves widening them again every sample.
#pragma once

#include "engine/double_pair.h"

template <typename Number> struct FlagFor {
    using type = typename Number::Flag;
};
template <> struct FlagFor<double> {
    using type = bool;
};

inline double roundToSingle(double value) {
    return static_cast<double>(static_cast<float>(value));
}

inline double keepIfHeld(bool held, double kept, double moved) {
    return held ? kept : moved;
}

// 2.0 above 2.0, 0.0 below 0.0 and for NaN (a runaway spring reads as 0.0),
// else the value itself.
inline double clampOutput(double v) {
    if (!(v >= 0.0)) {
        return 0.0;
    }
    return v > 2.0 ? 2.0 : v;
}

// A damped mass on a spring: the axis's own, and its modulator's.
template <typename Number> struct Spring {
    Number pos;
    Number velocity; // position units per second
    Number accel;    // the latest sample's spring term
    Number damping;  // velocity factor per sample
    Number stiffness;
};

// One sample of a spring chasing target.
template <typename Number> inline void stepSpring(Spring<Number>& s, Number target, Number invSampleRate) {
    s.accel = roundToSingle((target - s.pos) * s.stiffness);
    s.velocity = roundToSingle(s.accel + s.velocity * s.damping);
    s.pos = roundToSingle(s.pos + s.velocity * invSampleRate);
}

// What one axis carries through a block.
template <typename Number> struct AxisMotion {
    Number target;
    typename FlagFor<Number>::type held;
    Number staticPos;
    Number staticCoeff;
    Spring<Number> spring;
    // Modulator 0: a spring chasing (amount − 0.5) × its source's value.
    Number amount;
    Number modTarget;
    Spring<Number> modulator;
    Number out; // position plus modulation, clamped to 0.0..2.0
};

// The two halves of an axis's sample, each moving only its own state, and
// the output that adds them up. The block loop may skip a half that rests.

// The axis's spring chasing its target, and a released target gliding home,
// from where it stood before this sample.
template <typename Number> inline void stepPosition(AxisMotion<Number>& axis, Number invSampleRate) {
    const Number target = axis.target;
    stepSpring(axis.spring, target, invSampleRate);
    axis.target = keepIfHeld(axis.held, target, roundToSingle(target - (target - axis.staticPos) * axis.staticCoeff));
}

// Where modulator 0 heads when its source holds source.
template <typename Number> inline Number modulationTarget(const AxisMotion<Number>& axis, Number source) {
    return roundToSingle((axis.amount - Number(0.5)) * source);
}

template <typename Number>
inline void followModulation(AxisMotion<Number>& axis, Number modTarget, Number invSampleRate) {
    axis.modTarget = modTarget;
    stepSpring(axis.modulator, modTarget, invSampleRate);
}

// Modulator 0 chasing its source's value, source being what it reads from
// the source bank this sample.
template <typename Number> inline void stepModulation(AxisMotion<Number>& axis, Number source, Number invSampleRate) {
    followModulation(axis, modulationTarget(axis, source), invSampleRate);
}

template <typename Number> inline void mixOutput(AxisMotion<Number>& axis) {
    axis.out = roundToSingle(clampOutput(axis.spring.pos + axis.modulator.pos));
}

// One sample of one axis (or a pair).
template <typename Number>
inline void stepAxis(AxisMotion<Number>& axis, Number source, Number invSampleRate) {
    stepPosition(axis, invSampleRate);
    stepModulation(axis, source, invSampleRate);
    mixOutput(axis);
}
