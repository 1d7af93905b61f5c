// Where the editor's controls are and which parameter each knob drives: one
// column's layout, repeated for the sections M, F and L from left to right.
// The panel artwork is drawn from these same tables.
#pragma once

#include <array>
#include <cstdint>

#include "xplat.h"

constexpr std::int32_t kEditorWidth = 500;
constexpr std::int32_t kEditorHeight = 420;

constexpr std::int32_t kColumnCount = 3;
constexpr std::int32_t kFirstColumnEdge = 5;
constexpr std::int32_t kColumnStride = 162;
constexpr std::int32_t kColumnWidth = 160;
constexpr std::int32_t kControlsPerColumn = 23;
constexpr std::int32_t kControlCount = kColumnCount * kControlsPerColumn;
// Parameters of one section: M, F and L follow each other in this order.
constexpr std::int32_t kParamsPerSection = 30;

// Template indices of the two pads in every column.
constexpr std::int32_t kXyPadTemplate = 1;
constexpr std::int32_t kModulationPadTemplate = 12;

constexpr std::int32_t columnEdge(std::int32_t column) { return kFirstColumnEdge + kColumnStride * column; }

// One column, x relative to the column's left edge. Entry 0 is empty because
// the hit test answers 0 for "nothing"; the other empty entries are unused.
constexpr std::array<ControlRect, kControlsPerColumn> controlTemplates = {{
    {0, 0, 0, 0},
    {0, 5, 160, 200},   // XY pad: X and Y target
    {25, 258, 27, 27},  // X rate
    {25, 289, 27, 27},  // Y rate
    {71, 258, 27, 27},  // X overshoot
    {71, 289, 27, 27},  // Y overshoot
    {117, 258, 27, 27}, // X static rate
    {117, 289, 27, 27}, // Y static rate
    {36, 227, 27, 27},  // Modifier0
    {97, 227, 27, 27},  // Modifier1
    {0, 0, 0, 0},
    {0, 0, 0, 0},
    {2, 342, 60, 60},   // modulation pad: X and Y M0 amount
    {85, 345, 27, 27},  // X M0 rate
    {85, 377, 27, 27},  // Y M0 rate
    {131, 345, 27, 27}, // X M0 overshoot
    {131, 377, 27, 27}, // Y M0 overshoot
    {0, 0, 0, 0},
    {0, 0, 0, 0},
    {0, 0, 0, 0},
    {0, 0, 0, 0},
    {0, 0, 0, 0},
    {0, 0, 0, 0},
}};

// The parameter within its section that each template's knob drives; -1
// where the template is no knob (the pads write their parameters themselves).
constexpr std::array<std::int32_t, kControlsPerColumn> knobParamOffsets = {
    -1, -1, 15, 1, 16, 2, 18, 4, 28, 29, -1, -1, -1, 22, 8, 23, 9, -1, -1, -1, -1, -1, -1,
};

// Every control of every column in window pixels: template k of column c
// is entry 23c + k, moved right by the column's edge.
constexpr std::array<ControlRect, kControlCount> makeControlRects() {
    std::array<ControlRect, kControlCount> rects{};
    for (std::int32_t column = 0; column < kColumnCount; ++column) {
        for (std::int32_t k = 0; k < kControlsPerColumn; ++k) {
            ControlRect rect = controlTemplates[k];
            rect.x += columnEdge(column);
            rects[column * kControlsPerColumn + k] = rect;
        }
    }
    return rects;
}

constexpr std::array<std::int32_t, kControlCount> makeControlParams() {
    std::array<std::int32_t, kControlCount> params{};
    for (std::int32_t column = 0; column < kColumnCount; ++column) {
        for (std::int32_t k = 0; k < kControlsPerColumn; ++k) {
            const std::int32_t offset = knobParamOffsets[k];
            params[column * kControlsPerColumn + k] = offset < 0 ? -1 : kParamsPerSection * column + offset;
        }
    }
    return params;
}

// Computed once at compile time rather than rewritten by every editor, so
// instances made on two host threads at once never race on a shared table.
constexpr std::array<ControlRect, kControlCount> controlRects = makeControlRects();
constexpr std::array<std::int32_t, kControlCount> controlParams = makeControlParams();
