// The editor's life and its drawing: every repaint copies the panel and
// lays 45 marks over it where the model's values put them.
#include "editor_window.h"

#include <cmath>

#include "column_axes.h"
#include "control_layout.h"
#include "pad_controls.h"
#include "pixel_position.h"
#include "resources/bitmap_ids.h"

namespace {

constexpr std::int32_t kTargetMarkSize = 9;
constexpr std::int32_t kPointMarkSize = 5;

// A value's pixel along a pad edge that starts at origin and spans extent
// pixels, less the offset that puts the mark where it belongs.
std::int32_t markPixel(std::int32_t origin, std::int32_t extent, std::int32_t markOffset, double value) {
    return truncateToPixel(static_cast<double>(origin - markOffset) + extent * value);
}

} // namespace

EditorWindow::EditorWindow(EditorModel& model)
    : model(model), isOpen(0), activeControl(0), lastY(0), window{} {
    window.owner = this;
    window.width = kEditorWidth;
    window.height = kEditorHeight;
    panelBitmap = xplatLoadBitmap(IDB_PANEL);
    targetImage = xplatLoadBitmap(IDB_TARGET_MARK);
    targetMask = xplatLoadBitmap(IDB_TARGET_MASK);
    knobMarkActive = xplatLoadBitmap(IDB_KNOB_MARK_ACTIVE);
    knobMarkIdle = xplatLoadBitmap(IDB_KNOB_MARK_IDLE);
    pointImage = xplatLoadBitmap(IDB_POINT_MARK);
    pointMask = xplatLoadBitmap(IDB_MARK_MASK);
}

EditorWindow::~EditorWindow() {
    if (isOpen) {
        close();
    }
    xplatDeleteBitmap(panelBitmap);
    xplatDeleteBitmap(targetImage);
    xplatDeleteBitmap(targetMask);
    xplatDeleteBitmap(knobMarkActive);
    xplatDeleteBitmap(knobMarkIdle);
    xplatDeleteBitmap(pointImage);
    xplatDeleteBitmap(pointMask);
}

std::int32_t EditorWindow::open(void* parentWindow) {
    // Some hosts open again without closing first; the old window goes.
    if (isOpen) {
        close();
    }
    xplatCreateWindow(parentWindow, window);
    isOpen = 1;
    activeControl = 0;
    update();
    return 1;
}

void EditorWindow::close() {
    xplatDestroyWindow(window);
    isOpen = 0;
}

void EditorWindow::idle() {
    xplatDispatchPendingEvents(window);
    update();
}

void EditorWindow::update() {
    if (isOpen) {
        paint();
    }
}

void EditorWindow::paint() {
    if (!isOpen) {
        return;
    }
    xplatBlit(window, 0, 0, kEditorWidth, kEditorHeight, panelBitmap, 0, 0);
    for (std::int32_t column = 0; column < kColumnCount; ++column) {
        paintPadMarks(column);
    }
    for (std::int32_t column = 0; column < kColumnCount; ++column) {
        paintModulationMark(column);
    }
    for (std::int32_t control = 0; control < kControlCount; ++control) {
        if (controlParams[control] != -1) {
            paintKnobMark(control, controlParams[control]);
        }
    }
    xplatPresent(window, 0, 0, kEditorWidth, kEditorHeight);
}

// The target mark (where the axes are headed, from the TargetPos parameters
// that each block writes back) and the output mark (where they are), both
// centred on their point of the XY pad. Outputs reach 2.0, so the output
// mark may land far outside the pad.
void EditorWindow::paintPadMarks(std::int32_t column) {
    const ControlRect pad = padArea(kXyPad, column);
    const double targetX = model.parameter(padParameter(kXyPad.xControl, column));
    const double targetY = model.parameter(padParameter(kXyPad.yControl, column));
    constexpr std::int32_t kTargetCentre = kTargetMarkSize / 2;
    xplatMaskedBlit(window, markPixel(pad.x, pad.width, kTargetCentre, targetX),
                    markPixel(pad.y, pad.height, kTargetCentre, targetY), kTargetMarkSize, kTargetMarkSize,
                    targetImage, targetMask, 0, 0);

    const double outX = model.axisOutput(kColumnAxes[column].x);
    const double outY = model.axisOutput(kColumnAxes[column].y);
    constexpr std::int32_t kPointCentre = kPointMarkSize / 2;
    xplatMaskedBlit(window, markPixel(pad.x, pad.width, kPointCentre, outX),
                    markPixel(pad.y, pad.height, kPointCentre, outY), kPointMarkSize, kPointMarkSize, pointImage,
                    pointMask, 0, 0);
}

// The first modulator's amounts on the modulation pad; here the mark's top
// left corner, not its centre, sits on the point.
void EditorWindow::paintModulationMark(std::int32_t column) {
    const ControlRect pad = padArea(kModulationPad, column);
    const double amountX = model.modulationAmount(kColumnAxes[column].x);
    const double amountY = model.modulationAmount(kColumnAxes[column].y);
    xplatMaskedBlit(window, markPixel(pad.x, pad.width, 0, amountX), markPixel(pad.y, pad.height, 0, amountY),
                    kPointMarkSize, kPointMarkSize, pointImage, pointMask, 0, 0);
}

// The knob's mark travels clockwise over 0.8 of a turn, 8 pixels from the
// knob's centre: lower left at 0, top at 0.5, lower right at 1.
void EditorWindow::paintKnobMark(std::int32_t control, std::int32_t parameter) {
    constexpr double kTurn = 6.2831854820251465; // 2 pi in single precision
    const double value = model.parameter(parameter);
    const double angle = kTurn * (0.35f + 0.8f * value);
    const std::int32_t dx = truncateToPixel(8.0f * std::cos(angle));
    const std::int32_t dy = truncateToPixel(8.0f * std::sin(angle));
    const ControlRect& knob = controlRects[control];
    xplatMaskedBlit(window, knob.x + 11 + dx, knob.y + 11 + dy, kPointMarkSize, kPointMarkSize,
                    control == activeControl ? knobMarkActive : knobMarkIdle, pointMask, 0, 0);
}
