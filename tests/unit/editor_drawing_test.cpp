// Where a repaint puts each mark, worked out from the layout's arithmetic and
// compared with whole frames: the panel with exactly the expected marks.
#include <gtest/gtest.h>

#include <cmath>

#include "editor/control_layout.h"
#include "resources/bitmap_ids.h"
#include "tests/support/editor_harness.h"

namespace {

Raster withTarget(Raster base, std::int32_t x, std::int32_t y) {
    return withMark(std::move(base), x, y, IDB_TARGET_MARK, IDB_TARGET_MASK);
}

Raster withPoint(Raster base, std::int32_t x, std::int32_t y) {
    return withMark(std::move(base), x, y, IDB_POINT_MARK, IDB_MARK_MASK);
}

Raster withKnob(Raster base, std::int32_t control, std::int32_t dx, std::int32_t dy, bool pressed) {
    const ControlRect& knob = controlRects[control];
    return withMark(std::move(base), knob.x + 11 + dx, knob.y + 11 + dy,
                    pressed ? IDB_KNOB_MARK_ACTIVE : IDB_KNOB_MARK_IDLE, IDB_MARK_MASK);
}

class EditorDrawing : public ::testing::Test {
protected:
    void SetUp() override { h.parkEveryMark(); }

    void expectFrame(const Raster& expected) {
        h.editor->paint();
        ASSERT_EQ(h.lastFrame.width, 500);
        ASSERT_EQ(h.lastFrame.height, 420);
        EXPECT_TRUE(h.lastFrame.bytes == expected.bytes) << "frame differs from the expected marks";
    }

    EditorHarness h;
};

TEST_F(EditorDrawing, WithEveryMarkParkedOnlyThePanelShows) { expectFrame(h.panel()); }

TEST_F(EditorDrawing, TargetMarkSpansColumnWidthAndPadHeight) {
    h.plugin->setParameter(14, 0.0f); // MXTargetPos
    h.plugin->setParameter(0, 0.5f);  // MYTargetPos
    expectFrame(withTarget(h.panel(), 1, 101));
    h.plugin->setParameter(14, 1.0f);
    h.plugin->setParameter(0, 1.0f);
    expectFrame(withTarget(h.panel(), 161, 201));
    h.plugin->setParameter(14, 0.0f);
    h.plugin->setParameter(0, 0.0f);
    h.plugin->setParameter(44, 0.0f); // FXTargetPos
    h.plugin->setParameter(30, 0.0f);
    expectFrame(withTarget(withTarget(h.panel(), 1, 1), 163, 1));
    h.plugin->setParameter(44, 1.0f);
    expectFrame(withTarget(withTarget(h.panel(), 1, 1), 323, 1));
}

TEST_F(EditorDrawing, OutputMarkFollowsTheAxisOutputBeyondItsPad) {
    h.plugin->engine.axes[kAxisMX].out = 2.0f;
    h.plugin->engine.axes[kAxisMY].out = 2.0f;
    expectFrame(withPoint(h.panel(), 323, 403));
    // Column L's output at 1.0625 puts the mark on the window's right edge:
    // three of its five columns show.
    h.plugin->engine.axes[kAxisMX].out = NAN;
    h.plugin->engine.axes[kAxisLX].out = 1.0625f;
    h.plugin->engine.axes[kAxisLY].out = 0.0f;
    const Raster expected = withPoint(h.panel(), 497, 3);
    expectFrame(expected);
    EXPECT_NE(expected.bytes, h.panel().bytes);
}

TEST_F(EditorDrawing, ModulationMarkPutsItsCornerOnThePoint) {
    h.plugin->engine.axes[kAxisFX].modulators[0].amount = 0.5f;
    h.plugin->engine.axes[kAxisFY].modulators[0].amount = 1.0f;
    expectFrame(withPoint(h.panel(), 169 + 30, 402));
}

TEST_F(EditorDrawing, ValuesFarOutsideAndNotNumbersDrawNothing) {
    h.plugin->engine.axes[kAxisMX].out = 1e30f;
    h.plugin->engine.axes[kAxisMY].out = -1e30f;
    h.plugin->engine.axes[kAxisLX].out = INFINITY;
    h.plugin->engine.axes[kAxisLY].out = 0.5f;
    h.plugin->engine.axes[kAxisFX].modulators[0].amount = -INFINITY;
    h.plugin->engine.axes[kAxisFY].modulators[0].amount = 0.5f;
    h.plugin->setParameter(14, 3e38f);
    h.plugin->setParameter(0, 0.5f);
    h.plugin->setParameter(15, INFINITY); // a knob: its angle is no number
    expectFrame(h.panel());
}

TEST_F(EditorDrawing, KnobMarkCirclesClockwiseEightPixelsOutTruncated) {
    struct Offset {
        float value;
        std::int32_t dx, dy;
    };
    const Offset offsets[] = {{0.0f, -4, 6},  {0.125f, -7, 2}, {0.25f, -7, -2}, {0.375f, -4, -6}, {0.5f, 0, -7},
                              {0.625f, 4, -6}, {0.75f, 7, -2},  {0.875f, 7, 2},  {1.0f, 4, 6}};
    constexpr std::int32_t kLRateKnob = 46 + 3; // column L's Y rate, parameter 61
    for (const Offset& offset : offsets) {
        SCOPED_TRACE(offset.value);
        h.plugin->setParameter(61, offset.value);
        expectFrame(withKnob(h.panel(), kLRateKnob, offset.dx, offset.dy, false));
    }
}

TEST_F(EditorDrawing, OnlyThePressedKnobIsBlue) {
    const ControlRect& pressed = controlRects[2]; // column M's X rate, parameter 15
    h.plugin->setParameter(15, 0.5f);
    h.plugin->setParameter(16, 0.5f); // the knob beside it
    h.editor->onMouseDown(pressed.x + 13, pressed.y + 13);
    expectFrame(withKnob(withKnob(h.panel(), 2, 0, -7, true), 4, 0, -7, false));
    h.editor->onMouseUp(pressed.x + 13, pressed.y + 13);
    h.editor->onMouseDown(85, 105); // the middle of column M's pad, which throws its target there
    expectFrame(withTarget(withKnob(withKnob(h.panel(), 2, 0, -7, false), 4, 0, -7, false), 81, 101));
}

TEST_F(EditorDrawing, LaterMarksCoverEarlierOnes) {
    // M's output mark and F's target mark overlap; F's target is drawn later.
    h.plugin->engine.axes[kAxisMX].out = 1.0125f; // x = 3 + 162 = 165
    h.plugin->engine.axes[kAxisMY].out = 0.0f;
    h.plugin->setParameter(44, 0.0f); // F target x = 163
    h.plugin->setParameter(30, 0.0f);
    expectFrame(withTarget(withPoint(h.panel(), 165, 3), 163, 1));
}

TEST(EditorLifecycle, PaintsOnlyWhileOpen) {
    EditorHarness h;
    h.editor->idle();
    EXPECT_EQ(h.framesPresented, 1);
    h.editor->close();
    h.editor->paint();
    h.editor->idle();
    EXPECT_EQ(h.framesPresented, 1);
    // Opening again makes a new window; the frame sink went with the old one.
    EXPECT_EQ(h.editor->open(nullptr), 1);
    EXPECT_EQ(h.framesPresented, 1);
}

TEST(EditorLifecycle, ReportsItsSizeAndInstallsItself) {
    EditorHarness h;
    h.editor->close();
    AEffect* effect = h.plugin->getAeffect();
    EXPECT_EQ(effect->flags, 0x119);
    ERect* rect = nullptr;
    EXPECT_EQ(effect->dispatcher(effect, effEditGetRect, 0, 0, &rect, 0.0f), 0);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 420);
    EXPECT_EQ(rect->right, 500);
    EXPECT_EQ(effect->dispatcher(effect, effEditOpen, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0.0f), 0);
}

} // namespace
