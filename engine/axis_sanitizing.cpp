#include <cmath>
#include <initializer_list>

#include "engine/axis_motion.h"

namespace {

void resetIfNonFinite(float& value) {
    if (!std::isfinite(value)) {
        value = 0.0f;
    }
}

void resetIfNonFinite(SharedValue<float>& value) {
    if (!std::isfinite(value.load())) {
        value = 0.0f;
    }
}

} // namespace

void resetNonFinite(AxisRecord& axis) {
    resetIfNonFinite(axis.target);
    for (float* field : {&axis.rate, &axis.overshoot, &axis.staticPos, &axis.staticRate, &axis.pos, &axis.velocity,
                         &axis.accel, &axis.damping, &axis.stiffness, &axis.staticCoeff}) {
        resetIfNonFinite(*field);
    }
    for (AxisModulator& modulator : axis.modulators) {
        resetIfNonFinite(modulator.amount);
        for (float* field : {&modulator.rate, &modulator.overshoot, &modulator.target, &modulator.pos,
                             &modulator.velocity, &modulator.accel, &modulator.damping, &modulator.stiffness}) {
            resetIfNonFinite(*field);
        }
    }
    resetIfNonFinite(axis.out);
}
