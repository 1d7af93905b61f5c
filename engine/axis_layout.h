// Where each axis's fourteen parameters start, and the orders the engine
// visits the axes in.
#pragma once

#include "engine/axis_record.h"
#include "plugin/parameters.h"

struct AxisBinding {
    AxisIndex axis;
    ParameterIndex firstParameter; // its TargetPos
};

// Parameter order: Y before X in each section.
constexpr AxisBinding kAxisBindings[kNumAxes] = {
    {kAxisMY, MYTargetPos}, {kAxisMX, MXTargetPos}, {kAxisFY, FYTargetPos},
    {kAxisFX, FXTargetPos}, {kAxisLY, LYTargetPos}, {kAxisLX, LXTargetPos},
};

// The per-block and per-sample steps visit the axes in this order; the
// lanes of the per-sample step follow it.
constexpr AxisIndex kMotionOrder[kNumAxes] = {kAxisMX, kAxisMY, kAxisFX, kAxisFY, kAxisLY, kAxisLX};
enum MotionLane : int { kLaneMX, kLaneMY, kLaneFX, kLaneFY, kLaneLY, kLaneLX };

constexpr ParameterIndex kModifierParameters[] = {MModifier0, MModifier1, FModifier0,
                                                  FModifier1, LModifier0, LModifier1};
