// The two pads of every column. A pad maps the pointer to one value per axis
// of its section: the XY pad to the axes' targets, the modulation pad to
// their first modulator's amounts. Where a pad lies, how a pixel turns into
// a value and which parameters it reports come from the control layout and
// the parameter table; nothing here restates them.
#pragma once

#include <cstdint>

#include "control_layout.h"
#include "editor_model.h"

struct PadControl {
    std::int32_t controlTemplate;
    EditorControl xControl;
    EditorControl yControl;
    // Where the pad's values go in the engine.
    void (EditorModel::*write)(AxisIndex axis, float value);
};

constexpr PadControl kXyPad{kXyPadTemplate, EditorControl::xyPadX, EditorControl::xyPadY, &EditorModel::setAxisTarget};
constexpr PadControl kModulationPad{kModulationPadTemplate, EditorControl::modulationPadX,
                                    EditorControl::modulationPadY, &EditorModel::setModulationAmount};

struct PadValues {
    float x;
    float y;
};

// Value per pixel: 1/160 and 1/200 on the XY pad, 1/60 on the modulation
// pad, in single precision. The top of a pad is 0; y grows downwards.
constexpr float valuePerPixel(std::int32_t extent) { return 1.0f / static_cast<float>(extent); }
static_assert(valuePerPixel(160) == 0.00625f && valuePerPixel(200) == 0.005f && valuePerPixel(60) == 0.016666668f);

// The pad's top left corner in window pixels, in the given column.
inline ControlRect padArea(const PadControl& pad, std::int32_t column) {
    ControlRect area = controlTemplates[static_cast<std::size_t>(pad.controlTemplate)].rect;
    area.x += columnEdge(column);
    return area;
}

// What the pointer at (x, y) means on the pad, unclamped.
inline PadValues padValues(const PadControl& pad, std::int32_t column, std::int32_t x, std::int32_t y) {
    const ControlRect area = padArea(pad, column);
    return {static_cast<float>(x - area.x) * valuePerPixel(area.width),
            static_cast<float>(y - area.y) * valuePerPixel(area.height)};
}

// The parameter a pad reports for an axis of the given column.
inline std::int32_t padParameter(EditorControl control, std::int32_t column) {
    return kParametersPerSection * column + sectionOffsetOf(control);
}
