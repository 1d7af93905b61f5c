// Which of the engine's axes belong to each editor column.
#pragma once

#include "control_layout.h"
#include "engine/axis_orders.h"

struct ColumnAxes {
    AxisIndex x;
    AxisIndex y;
};

// Columns M, F and L from left to right.
constexpr ColumnAxes kColumnAxes[kColumnCount] = {
    {kAxisMX, kAxisMY},
    {kAxisFX, kAxisFY},
    {kAxisLX, kAxisLY},
};
