#include "engine/axis_lanes.h"

#include "engine/finite_or_zero.h"

void AxisLanes::load(AxisRecord* const (&records)[kLanes], const float* sourceBank) {
    for (int lane = 0; lane < kLanes; ++lane) {
        AxisRecord& axis = *records[lane];
        const AxisModulator& modulator = axis.modulators[0];
        axes[lane] = &axis;
        targets[lane] = &axis.target;
        amounts[lane] = &modulator.amount;
        const bool inBank = modulator.source >= 0 && modulator.source < kSilentSourceSlot;
        sources[lane] = &sourceBank[inBank ? modulator.source : kSilentSourceSlot];
        pos[lane] = axis.pos;
        velocity[lane] = axis.velocity;
        accel[lane] = axis.accel;
        damping[lane] = axis.damping;
        stiffness[lane] = axis.stiffness;
        staticPos[lane] = axis.staticPos;
        staticCoeff[lane] = axis.staticCoeff;
        modTarget[lane] = modulator.target;
        modPos[lane] = modulator.pos;
        modVelocity[lane] = modulator.velocity;
        modAccel[lane] = modulator.accel;
        modDamping[lane] = modulator.damping;
        modStiffness[lane] = modulator.stiffness;
    }
}

void AxisLanes::store() const {
    for (int lane = 0; lane < kLanes; ++lane) {
        AxisRecord& axis = *axes[lane];
        AxisModulator& modulator = axis.modulators[0];
        // A spring driven past the float range within the block leaves
        // nothing behind.
        axis.pos = finiteOrZero(static_cast<float>(pos[lane]));
        axis.velocity = finiteOrZero(static_cast<float>(velocity[lane]));
        axis.accel = finiteOrZero(static_cast<float>(accel[lane]));
        axis.target = finiteOrZero(axis.target.load());
        axis.out = finiteOrZero(axis.out.load());
        modulator.target = finiteOrZero(static_cast<float>(modTarget[lane]));
        modulator.pos = finiteOrZero(static_cast<float>(modPos[lane]));
        modulator.velocity = finiteOrZero(static_cast<float>(modVelocity[lane]));
        modulator.accel = finiteOrZero(static_cast<float>(modAccel[lane]));
    }
}
