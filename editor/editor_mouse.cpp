// Playing the editor with the left button: a press picks a control, moves
// drag it, the release lets go. Pads write the engine's axis records
// directly and report each value to the host as automation; knobs change
// their parameter through automation alone.
#include "column_axes.h"
#include "control_layout.h"
#include "editor_window.h"
#include "plugin/adelay.h"

namespace {

struct PadValues {
    float x;
    float y;
};

// The control's column when it is that column's template, else -1.
std::int32_t columnOfTemplate(std::int32_t control, std::int32_t templateIndex) {
    for (std::int32_t column = 0; column < kColumnCount; ++column) {
        if (control == column * kControlsPerColumn + templateIndex) {
            return column;
        }
    }
    return -1;
}

// Pad areas are 160 x 200 and 60 x 60 pixels; y grows downwards, so the top
// of a pad is 0. The constants are 1/160, 1/200 and 1/60 in single precision.
PadValues xyPadValues(std::int32_t column, std::int32_t x, std::int32_t y) {
    return {static_cast<float>(x - columnEdge(column)) * 0.00625f, static_cast<float>(y - 5) * 0.005f};
}

PadValues modulationPadValues(std::int32_t column, std::int32_t x, std::int32_t y) {
    return {static_cast<float>(x - (columnEdge(column) + 2)) * 0.016666668f,
            static_cast<float>(y - 342) * 0.016666668f};
}

float clampUnit(float value) { return value > 1.0f ? 1.0f : (value < 0.0f ? 0.0f : value); }

PadValues clamped(PadValues values) { return {clampUnit(values.x), clampUnit(values.y)}; }

} // namespace

void EditorWindow::onMouseDown(std::int32_t x, std::int32_t y) {
    activeControl = xplatHitTest(x, y, controlRects.data(), kControlCount);
    lastY = y;
    ADelay& instrument = plugin();
    if (const std::int32_t column = columnOfTemplate(activeControl, kXyPadTemplate); column >= 0) {
        // The strict hit test keeps these inside the pad, so no clamping.
        AxisRecord& axisX = instrument.axes[kColumnAxes[column].x];
        AxisRecord& axisY = instrument.axes[kColumnAxes[column].y];
        axisX.held = true;
        axisY.held = true;
        instrument.paramsDirty = true;
        const PadValues values = xyPadValues(column, x, y);
        axisX.target = values.x;
        axisY.target = values.y;
        const std::int32_t section = kParamsPerSection * column;
        instrument.setParameterAutomated(section + kXTargetPosOffset, axisX.target);
        instrument.setParameterAutomated(section + kYTargetPosOffset, axisY.target);
    } else if (const std::int32_t modColumn = columnOfTemplate(activeControl, kModulationPadTemplate);
               modColumn >= 0) {
        AxisModulator& modulatorX = instrument.axes[kColumnAxes[modColumn].x].modulators[0];
        AxisModulator& modulatorY = instrument.axes[kColumnAxes[modColumn].y].modulators[0];
        const PadValues values = modulationPadValues(modColumn, x, y);
        modulatorX.amount = values.x;
        modulatorY.amount = values.y;
        const std::int32_t section = kParamsPerSection * modColumn;
        instrument.setParameterAutomated(section + kXM0AmountOffset, modulatorX.amount);
        instrument.setParameterAutomated(section + kYM0AmountOffset, modulatorY.amount);
    }
    // A knob drag starts from lastY. Nothing repaints: the press shows at the
    // next idle call or the first move.
}

void EditorWindow::onMouseMove(std::int32_t x, std::int32_t y) {
    if (activeControl == 0) {
        return;
    }
    ADelay& instrument = plugin();
    if (const std::int32_t column = columnOfTemplate(activeControl, kXyPadTemplate); column >= 0) {
        // Held flags stay as the press set them.
        const PadValues values = clamped(xyPadValues(column, x, y));
        instrument.axes[kColumnAxes[column].x].target = values.x;
        instrument.axes[kColumnAxes[column].y].target = values.y;
        const std::int32_t section = kParamsPerSection * column;
        instrument.setParameterAutomated(section + kXTargetPosOffset, values.x);
        instrument.setParameterAutomated(section + kYTargetPosOffset, values.y);
    } else if (const std::int32_t modColumn = columnOfTemplate(activeControl, kModulationPadTemplate);
               modColumn >= 0) {
        const PadValues values = clamped(modulationPadValues(modColumn, x, y));
        instrument.axes[kColumnAxes[modColumn].x].modulators[0].amount = values.x;
        instrument.axes[kColumnAxes[modColumn].y].modulators[0].amount = values.y;
        const std::int32_t section = kParamsPerSection * modColumn;
        instrument.setParameterAutomated(section + kXM0AmountOffset, values.x);
        instrument.setParameterAutomated(section + kYM0AmountOffset, values.y);
    } else if (controlParams[activeControl] != -1) {
        dragKnob(controlParams[activeControl], y);
    }
    paint();
}

void EditorWindow::dragKnob(std::int32_t parameter, std::int32_t y) {
    double value = plugin().getParameter(parameter) + (lastY - y) * 0.007;
    if (value < 0.0) {
        value = 0.0;
    } else if (value > 1.0) {
        value = 1.0;
    }
    plugin().setParameterAutomated(parameter, static_cast<float>(value));
    lastY = y;
}

void EditorWindow::onMouseUp(std::int32_t /*x*/, std::int32_t /*y*/) {
    activeControl = 0;
    // Every axis lets go, whichever control was pressed: the pads are sprung.
    constexpr std::int32_t kReleaseOrder[] = {kAxisMX, kAxisMY, kAxisFX, kAxisFY, kAxisLX, kAxisLY};
    for (std::int32_t axis : kReleaseOrder) {
        plugin().axes[axis].held = false;
    }
    postUpdate();
}
