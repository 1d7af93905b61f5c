// The six axes during one block. Their moving state is taken out of the
// records into lanes side by side, so the spring law runs on two axes per
// SSE2 instruction, and goes back into the records when the block ends.
//
// Every step is worked out in double precision from single-precision values
// and rounded to single precision where the field it goes to is single, exactly
// as one axis at a time would be: the lanes change the speed, not the bits.
#pragma once

#include <cstdint>

#include "engine/axis_record.h"

// Slots 0..10 are the modulation source bank; the extra slot stays 0.0 and is
// what a modulator reads when its source lies outside the bank.
constexpr int kSourceBankSlots = 12;
constexpr int kSilentSourceSlot = 11;

class AxisLanes {
public:
    static constexpr int kLanes = kNumAxes;

    // Takes the moving state of six records, in the order they are stepped.
    void load(AxisRecord* const (&records)[kLanes], int bankSize);

    // One sample of all six axes. Reads each record's target, held flag and
    // modulator amount afresh (the editor and MIDI write them), writes back
    // the gliding target of a released axis and every output.
    void step(const float* sourceBank, float invSampleRate);

    // Puts the moving state back into the records.
    void store() const;

    float out(int lane) const { return outs[lane]; }

private:
    AxisRecord* axes[kLanes];
    std::int32_t sourceSlots[kLanes];

    // Lane order as in load(). The fields are single precision; the lanes
    // hold their values widened to double, which is exact and saves widening
    // them again every sample.
    alignas(16) double pos[kLanes];
    alignas(16) double velocity[kLanes];
    alignas(16) double accel[kLanes];
    alignas(16) double damping[kLanes];
    alignas(16) double stiffness[kLanes];
    alignas(16) double staticPos[kLanes];
    alignas(16) double staticCoeff[kLanes];
    alignas(16) double modTarget[kLanes];
    alignas(16) double modPos[kLanes];
    alignas(16) double modVelocity[kLanes];
    alignas(16) double modAccel[kLanes];
    alignas(16) double modDamping[kLanes];
    alignas(16) double modStiffness[kLanes];
    // Per-sample inputs and results.
    alignas(16) double targets[kLanes];
    alignas(16) double amounts[kLanes];
    alignas(16) double sources[kLanes];
    alignas(16) float glidedTargets[kLanes];
    alignas(16) float outs[kLanes];
};
