// Two engines compared field by field, bit for bit: every axis field, every
// parameter, the source bank, phases, the delay's positions and memory.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/engine.h"

namespace engine_state_detail {

template <typename T> bool sameBits(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

class Comparison {
public:
    template <typename T> void field(const std::string& name, const T& a, const T& b) {
        if (firstDifference.empty() && !sameBits(a, b)) {
            firstDifference = name;
        }
    }
    template <typename T> void shared(const std::string& name, const SharedValue<T>& a, const SharedValue<T>& b) {
        field(name, a.load(), b.load());
    }
    std::string firstDifference;
};

inline void compareModulator(Comparison& c, const std::string& name, const AxisModulator& a, const AxisModulator& b) {
    c.field(name + ".source", a.source, b.source);
    c.shared(name + ".amount", a.amount, b.amount);
    c.field(name + ".rate", a.rate, b.rate);
    c.field(name + ".overshoot", a.overshoot, b.overshoot);
    c.field(name + ".target", a.target, b.target);
    c.field(name + ".pos", a.pos, b.pos);
    c.field(name + ".velocity", a.velocity, b.velocity);
    c.field(name + ".accel", a.accel, b.accel);
    c.field(name + ".damping", a.damping, b.damping);
    c.field(name + ".stiffness", a.stiffness, b.stiffness);
}

inline void compareAxis(Comparison& c, const std::string& name, const AxisRecord& a, const AxisRecord& b) {
    c.shared(name + ".target", a.target, b.target);
    c.field(name + ".rate", a.rate, b.rate);
    c.field(name + ".overshoot", a.overshoot, b.overshoot);
    c.field(name + ".staticPos", a.staticPos, b.staticPos);
    c.field(name + ".staticRate", a.staticRate, b.staticRate);
    c.shared(name + ".held", a.held, b.held);
    c.field(name + ".pos", a.pos, b.pos);
    c.field(name + ".velocity", a.velocity, b.velocity);
    c.field(name + ".accel", a.accel, b.accel);
    c.field(name + ".damping", a.damping, b.damping);
    c.field(name + ".stiffness", a.stiffness, b.stiffness);
    c.field(name + ".staticCoeff", a.staticCoeff, b.staticCoeff);
    compareModulator(c, name + ".modulator0", a.modulators[0], b.modulators[0]);
    compareModulator(c, name + ".modulator1", a.modulators[1], b.modulators[1]);
    c.shared(name + ".out", a.out, b.out);
}

inline void compareOscillator(Comparison& c, const std::string& name, const TableOscillator& a,
                              const TableOscillator& b) {
    c.field(name + ".phase", a.phase, b.phase);
    c.field(name + ".increment", a.increment, b.increment);
}

} // namespace engine_state_detail

inline testing::AssertionResult sameEngineState(const Engine& a, const Engine& b) {
    using namespace engine_state_detail;
    Comparison c;
    for (int axis = 0; axis < kNumAxes; ++axis) {
        compareAxis(c, "axes[" + std::to_string(axis) + "]", a.axes[axis], b.axes[axis]);
    }
    for (int i = 0; i < NumParams; ++i) {
        c.shared("params[" + std::to_string(i) + "]", a.params[i], b.params[i]);
    }
    c.field("modifiers", a.modifiers, b.modifiers);
    c.field("modSources", a.modSources, b.modSources);
    c.shared("paramsDirty", a.paramsDirty, b.paramsDirty);
    compareOscillator(c, "toneOsc", a.toneOsc, b.toneOsc);
    compareOscillator(c, "lfoOsc", a.lfoOsc, b.lfoOsc);
    c.field("delay.feedback", a.delay.feedback, b.delay.feedback);
    c.field("delay.wetGain", a.delay.wetGain, b.delay.wetGain);
    c.field("delay.writePos", a.delay.writePos, b.delay.writePos);
    c.field("delay.readPos", a.delay.readPos, b.delay.readPos);
    c.field("delay.buffer", a.delay.buffer, b.delay.buffer);
    if (c.firstDifference.empty()) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "first difference in " << c.firstDifference;
}
