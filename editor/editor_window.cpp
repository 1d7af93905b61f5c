// The editor's life and its drawing: every repaint copies the panel and
// lays 45 marks over it where the plug-in's values put them.
#include "editor_window.h"

#include <cmath>

#include "column_axes.h"
#include "control_layout.h"
#include "pixel_position.h"
#include "plugin/adelay.h"
#include "resources/bitmap_ids.h"

namespace {

constexpr std::int32_t kTargetMarkSize = 9;
constexpr std::int32_t kPointMarkSize = 5;

} // namespace

EditorWindow::EditorWindow(ADelay* plugin)
    : AEffEditor(plugin), rect{0, 0, kEditorHeight, kEditorWidth}, isOpen(0), activeControl(0), lastY(0),
      window{} {
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
    plugin->setEditor(this);
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

ADelay& EditorWindow::plugin() const { return *static_cast<ADelay*>(effect); }

VstInt32 EditorWindow::getRect(ERect** out) {
    *out = &rect;
    return 0;
}

VstInt32 EditorWindow::open(void* parentWindow) {
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
    AEffEditor::idle();
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
// centred on their point of the 160 x 200 pad. Outputs reach 2.0, so the
// output mark may land far outside the pad.
void EditorWindow::paintPadMarks(std::int32_t column) {
    ADelay& instrument = plugin();
    const std::int32_t section = kParamsPerSection * column;
    const double padLeft = kColumnStride * column;
    const double targetX = instrument.getParameter(section + kXTargetPosOffset);
    const double targetY = instrument.getParameter(section + kYTargetPosOffset);
    xplatMaskedBlit(window, truncateToPixel(1.0 + padLeft + 160.0f * targetX),
                    truncateToPixel(1.0 + 200.0f * targetY), kTargetMarkSize, kTargetMarkSize, targetImage,
                    targetMask, 0, 0);

    const double outX = instrument.axes[kColumnAxes[column].x].out;
    const double outY = instrument.axes[kColumnAxes[column].y].out;
    xplatMaskedBlit(window, truncateToPixel(3.0 + padLeft + 160.0f * outX), truncateToPixel(3.0 + 200.0f * outY),
                    kPointMarkSize, kPointMarkSize, pointImage, pointMask, 0, 0);
}

// The first modulator's amounts on the 60 x 60 pad; here the mark's top
// left corner, not its centre, sits on the point.
void EditorWindow::paintModulationMark(std::int32_t column) {
    ADelay& instrument = plugin();
    const double amountX = instrument.axes[kColumnAxes[column].x].modulators[0].amount;
    const double amountY = instrument.axes[kColumnAxes[column].y].modulators[0].amount;
    xplatMaskedBlit(window, truncateToPixel(7.0 + kColumnStride * column + 60.0f * amountX),
                    truncateToPixel(342.0 + 60.0f * amountY), kPointMarkSize, kPointMarkSize, pointImage, pointMask, 0,
                    0);
}

// The knob's mark travels clockwise over 0.8 of a turn, 8 pixels from the
// knob's centre: lower left at 0, top at 0.5, lower right at 1.
void EditorWindow::paintKnobMark(std::int32_t control, std::int32_t parameter) {
    constexpr double kTurn = 6.2831854820251465; // 2 pi in single precision
    const double value = plugin().getParameter(parameter);
    const double angle = kTurn * (0.35f + 0.8f * value);
    const std::int32_t dx = truncateToPixel(8.0f * std::cos(angle));
    const std::int32_t dy = truncateToPixel(8.0f * std::sin(angle));
    const ControlRect& knob = controlRects[control];
    xplatMaskedBlit(window, knob.x + 11 + dx, knob.y + 11 + dy, kPointMarkSize, kPointMarkSize,
                    control == activeControl ? knobMarkActive : knobMarkIdle, pointMask, 0, 0);
}
