// Which of the plug-in's axis records belong to each editor column.
#pragma once

#include <cstdint>

#include "control_layout.h"
#include "plugin/adelay.h"

struct ColumnAxes {
    std::int32_t x;
    std::int32_t y;
};

// Columns M, F and L from left to right.
constexpr ColumnAxes kColumnAxes[kColumnCount] = {
    {kAxisMX, kAxisMY},
    {kAxisFX, kAxisFY},
    {kAxisLX, kAxisLY},
};

// Parameter offsets within a section that the pads write.
constexpr std::int32_t kYTargetPosOffset = 0;
constexpr std::int32_t kYM0AmountOffset = 7;
constexpr std::int32_t kXTargetPosOffset = 14;
constexpr std::int32_t kXM0AmountOffset = 21;
