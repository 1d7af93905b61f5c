// Playing the editor with the left button: a press picks a control, moves
// drag it, the release lets go. Pads write the engine's axes directly and
// report each value to the host as automation; knobs change their
// parameter through automation alone.
#include <cmath>
#include <initializer_list>

#include "column_axes.h"
#include "control_layout.h"
#include "editor_window.h"
#include "pad_controls.h"

namespace {

// The pad the control is, in its column; pad is null for any other control.
struct PadHit {
    const PadControl* pad;
    std::int32_t column;
};

PadHit padHitBy(std::int32_t control) {
    for (const PadControl* pad : {&kXyPad, &kModulationPad}) {
        for (std::int32_t column = 0; column < kColumnCount; ++column) {
            if (control == column * kControlsPerColumn + pad->controlTemplate) {
                return {pad, column};
            }
        }
    }
    return {nullptr, -1};
}

float clampUnit(float value) { return value > 1.0f ? 1.0f : (value < 0.0f ? 0.0f : value); }

} // namespace

void EditorWindow::onMouseDown(std::int32_t x, std::int32_t y) {
    activeControl = xplatHitTest(x, y, controlRects.data(), kControlCount);
    lastY = y;
    const PadHit hit = padHitBy(activeControl);
    if (hit.pad == nullptr) {
        // A knob drag starts from lastY. Nothing repaints: the press shows at
        // the next idle call or the first move.
        return;
    }
    if (hit.pad == &kXyPad) {
        const ColumnAxes axes = kColumnAxes[hit.column];
        model.setAxisHeld(axes.x, true);
        model.setAxisHeld(axes.y, true);
        model.refreshAxes();
    }
    // The strict hit test keeps the values inside the pad, so no clamping.
    const PadValues values = padValues(*hit.pad, hit.column, x, y);
    writePad(*hit.pad, hit.column, values.x, values.y);
}

void EditorWindow::onMouseMove(std::int32_t x, std::int32_t y) {
    if (activeControl == 0) {
        return;
    }
    if (const PadHit hit = padHitBy(activeControl); hit.pad != nullptr) {
        // Held flags stay as the press set them.
        const PadValues values = padValues(*hit.pad, hit.column, x, y);
        writePad(*hit.pad, hit.column, clampUnit(values.x), clampUnit(values.y));
    } else if (controlParams[activeControl] != -1) {
        dragKnob(controlParams[activeControl], y);
    }
    paint();
}

void EditorWindow::writePad(const PadControl& pad, std::int32_t column, float x, float y) {
    const ColumnAxes axes = kColumnAxes[column];
    (model.*pad.write)(axes.x, x);
    (model.*pad.write)(axes.y, y);
    model.automate(padParameter(pad.xControl, column), x);
    model.automate(padParameter(pad.yControl, column), y);
}

void EditorWindow::dragKnob(std::int32_t parameter, std::int32_t y) {
    // A host may have stored a value that is no number, which the clamp below
    // would pass on to the host; the drag starts where the engine takes it to be.
    const float current = model.parameter(parameter);
    double value = (std::isnan(current) ? 0.0 : current) + (lastY - y) * 0.007;
    if (value < 0.0) {
        value = 0.0;
    } else if (value > 1.0) {
        value = 1.0;
    }
    model.automate(parameter, static_cast<float>(value));
    lastY = y;
}

void EditorWindow::onMouseUp(std::int32_t /*x*/, std::int32_t /*y*/) {
    activeControl = 0;
    // Every axis lets go, whichever control was pressed: the pads are sprung.
    for (AxisIndex axis : kReleaseOrder) {
        model.setAxisHeld(axis, false);
    }
}
