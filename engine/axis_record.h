// One control axis: a target, and a position that follows it like a damped
// mass on a spring, plus a modulator that adds its own sprung offset. The
// plain fields are the audio thread's; the SharedValues are also written or
// read by the editor on the GUI thread and by the MIDI handling.
#pragma once

#include <cstdint>

#include "engine/shared_value.h"

struct AxisModulator {
    std::int32_t source;       // slot of the modulation source bank; outside 0..10 reads 0.0
    SharedValue<float> amount; // 0.5 means no modulation; the editor writes it
    float rate;
    float overshoot;
    float target; // (amount - 0.5) × source value, latest sample
    float pos;    // current offset
    float velocity;
    float accel;
    float damping;
    float stiffness;
};

struct AxisRecord {
    SharedValue<float> target; // where the axis is headed; the editor and MIDI write it
    float rate;
    float overshoot;
    float staticPos; // where a released target glides back to
    float staticRate;
    SharedValue<bool> held; // held by the mouse or a MIDI note
    float pos;
    float velocity; // position units per second
    float accel;
    float damping;     // velocity factor per sample
    float stiffness;   // spring factor per sample
    float staticCoeff; // share of the way to staticPos a released target covers per sample
    AxisModulator modulators[2];
    SharedValue<float> out; // position plus modulation, 0.0 to 2.0; the editor draws it
};

// Every field back to zero: position, velocity and output 0.0, not held.
void clearAxis(AxisRecord& axis);
