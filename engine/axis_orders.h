// The six axes and the four orders they are visited in. Each order is part
// of the instrument's behaviour (a store another thread sees first, or the
// lane a value rides in), so each has a name and is written down only here.
#pragma once

#include "engine/parameter_table.h"

// Storage order: the records in Engine::axes, MY, MX, FX, FY, LX, LY.
enum AxisIndex : int { kAxisMY, kAxisMX, kAxisFX, kAxisFY, kAxisLX, kAxisLY, kNumAxes };

struct AxisBinding {
    AxisIndex axis;
    ParameterIndex firstParameter; // its TargetPos
};

// Parameter order: sections M, F, L, Y before X in each, as the parameters
// lie. updateAxes refreshes the records, and every block writes the targets
// back into TargetPos, in this order.
constexpr AxisBinding kParameterOrder[kNumAxes] = {
    {kAxisMY, MYTargetPos}, {kAxisMX, MXTargetPos}, {kAxisFY, FYTargetPos},
    {kAxisFX, FXTargetPos}, {kAxisLY, LYTargetPos}, {kAxisLX, LXTargetPos},
};

// Motion order: MX, MY, FX, FY, LY, LX. The per-block coefficient step and
// the per-sample step visit the axes in this order; the step's lanes follow it.
constexpr AxisIndex kMotionOrder[kNumAxes] = {kAxisMX, kAxisMY, kAxisFX, kAxisFY, kAxisLY, kAxisLX};
enum MotionLane : int { kLaneMX, kLaneMY, kLaneFX, kLaneFY, kLaneLY, kLaneLX };

// Release order: MX, MY, FX, FY, LX, LY. A mouse release in the editor lets
// go of every axis in this order.
constexpr AxisIndex kReleaseOrder[kNumAxes] = {kAxisMX, kAxisMY, kAxisFX, kAxisFY, kAxisLX, kAxisLY};
