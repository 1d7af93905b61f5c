#include "engine/axis_record.h"

namespace {

void clearModulator(AxisModulator& modulator) {
    modulator.source = 0;
    modulator.amount = 0.0f;
    modulator.rate = 0.0f;
    modulator.overshoot = 0.0f;
    modulator.target = 0.0f;
    modulator.pos = 0.0f;
    modulator.velocity = 0.0f;
    modulator.accel = 0.0f;
    modulator.damping = 0.0f;
    modulator.stiffness = 0.0f;
}

} // namespace

void clearAxis(AxisRecord& axis) {
    axis.target = 0.0f;
    axis.rate = 0.0f;
    axis.overshoot = 0.0f;
    axis.staticPos = 0.0f;
    axis.staticRate = 0.0f;
    axis.held = false;
    axis.pos = 0.0f;
    axis.velocity = 0.0f;
    axis.accel = 0.0f;
    axis.damping = 0.0f;
    axis.stiffness = 0.0f;
    axis.staticCoeff = 0.0f;
    for (AxisModulator& modulator : axis.modulators) {
        clearModulator(modulator);
    }
    axis.out = 0.0f;
}
