// Where the editor's controls are and which parameter each drives: one
// column's layout, repeated for the sections M, F and L from left to right.
// The panel artwork is drawn from these same tables; which parameter a
// control drives comes from the parameter table.
#pragma once

#include <array>
#include <cstdint>

#include "engine/parameter_table.h"
#include "xplat.h"

constexpr std::int32_t kEditorWidth = 500;
constexpr std::int32_t kEditorHeight = 420;

constexpr std::int32_t kColumnCount = 3;
constexpr std::int32_t kFirstColumnEdge = 5;
constexpr std::int32_t kColumnStride = 162;
constexpr std::int32_t kColumnWidth = 160;
constexpr std::int32_t kControlsPerColumn = 23;
constexpr std::int32_t kControlCount = kColumnCount * kControlsPerColumn;
// Template indices of the two pads in every column.
constexpr std::int32_t kXyPadTemplate = 1;
constexpr std::int32_t kModulationPadTemplate = 12;

constexpr std::int32_t columnEdge(std::int32_t column) { return kFirstColumnEdge + kColumnStride * column; }

// One column, x relative to the column's left edge, with the knob each
// entry stands for (none for the pads, which write their parameters
// themselves). Entry 0 is empty because the hit test answers 0 for
// "nothing"; the other empty entries are unused.
struct ControlTemplate {
    ControlRect rect;
    EditorControl knob;
};

constexpr std::array<ControlTemplate, kControlsPerColumn> controlTemplates = {{
    {{0, 0, 0, 0}, EditorControl::none},
    {{0, 5, 160, 200}, EditorControl::none}, // XY pad: X and Y target
    {{25, 258, 27, 27}, EditorControl::xRateKnob},
    {{25, 289, 27, 27}, EditorControl::yRateKnob},
    {{71, 258, 27, 27}, EditorControl::xOvershootKnob},
    {{71, 289, 27, 27}, EditorControl::yOvershootKnob},
    {{117, 258, 27, 27}, EditorControl::xStaticRateKnob},
    {{117, 289, 27, 27}, EditorControl::yStaticRateKnob},
    {{36, 227, 27, 27}, EditorControl::modifier0Knob},
    {{97, 227, 27, 27}, EditorControl::modifier1Knob},
    {{0, 0, 0, 0}, EditorControl::none},
    {{0, 0, 0, 0}, EditorControl::none},
    {{2, 342, 60, 60}, EditorControl::none}, // modulation pad: X and Y M0 amount
    {{85, 345, 27, 27}, EditorControl::xM0RateKnob},
    {{85, 377, 27, 27}, EditorControl::yM0RateKnob},
    {{131, 345, 27, 27}, EditorControl::xM0OvershootKnob},
    {{131, 377, 27, 27}, EditorControl::yM0OvershootKnob},
    {{0, 0, 0, 0}, EditorControl::none},
    {{0, 0, 0, 0}, EditorControl::none},
    {{0, 0, 0, 0}, EditorControl::none},
    {{0, 0, 0, 0}, EditorControl::none},
    {{0, 0, 0, 0}, EditorControl::none},
    {{0, 0, 0, 0}, EditorControl::none},
}};

// Every control of every column in window pixels: template k of column c
// is entry 23c + k, moved right by the column's edge.
constexpr std::array<ControlRect, kControlCount> makeControlRects() {
    std::array<ControlRect, kControlCount> rects{};
    for (std::int32_t column = 0; column < kColumnCount; ++column) {
        for (std::int32_t k = 0; k < kControlsPerColumn; ++k) {
            ControlRect rect = controlTemplates[k].rect;
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
            const std::int32_t offset = sectionOffsetOf(controlTemplates[k].knob);
            params[column * kControlsPerColumn + k] = offset < 0 ? -1 : kParametersPerSection * column + offset;
        }
    }
    return params;
}

// Computed once at compile time rather than rewritten by every editor, so
// instances made on two host threads at once never race on a shared table.
constexpr std::array<ControlRect, kControlCount> controlRects = makeControlRects();
constexpr std::array<std::int32_t, kControlCount> controlParams = makeControlParams();
