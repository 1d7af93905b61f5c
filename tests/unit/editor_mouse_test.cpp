// Playing the editor with the mouse: what presses, drags and releases write
// into the engine and report to the host, in order.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "editor/control_layout.h"
#include "editor/xplat_software.h"
#include "tests/support/editor_harness.h"

namespace {

using Automation = std::pair<VstInt32, float>;

std::vector<Automation> automations(const RecordingHost& host) {
    std::vector<Automation> seen;
    for (const HostCall& call : host.calls) {
        if (call.opcode == audioMasterAutomate) {
            seen.emplace_back(call.index, call.opt);
        }
    }
    return seen;
}

std::uint32_t packed(std::uint32_t x, std::uint32_t y) { return (y << 16) | x; }

class EditorMouse : public ::testing::Test {
protected:
    bool held(std::int32_t axis) const { return h.plugin->engine.axes[axis].held; }
    float target(std::int32_t axis) const { return h.plugin->engine.axes[axis].target; }
    float amount(std::int32_t axis) const { return h.plugin->engine.axes[axis].modulators[0].amount; }

    EditorHarness h;
};

TEST_F(EditorMouse, PressOnTheXyPadThrowsAndHoldsBothAxes) {
    h.plugin->engine.paramsDirty = false;
    h.editor->onMouseDown(6, 6);
    EXPECT_EQ(target(kAxisMX), 0.00625f);
    EXPECT_EQ(target(kAxisMY), 0.005f);
    EXPECT_TRUE(held(kAxisMX));
    EXPECT_TRUE(held(kAxisMY));
    EXPECT_FALSE(held(kAxisFX));
    EXPECT_TRUE(h.plugin->engine.paramsDirty);
    EXPECT_EQ(automations(h.host), (std::vector<Automation>{{14, 0.00625f}, {0, 0.005f}}));
    EXPECT_EQ(h.framesPresented, 0) << "a press alone does not repaint";
}

TEST_F(EditorMouse, PadBordersAreNoControl) {
    for (auto [x, y] : {std::pair{5, 100}, std::pair{165, 100}}) {
        h.editor->onMouseDown(x, y);
        h.editor->onMouseMove(x + 20, y + 20);
        h.editor->onMouseUp(x + 20, y + 20);
    }
    EXPECT_TRUE(automations(h.host).empty());
    EXPECT_EQ(h.framesPresented, 0);
}

TEST_F(EditorMouse, DraggingAPadClampsAtItsEdgesAndRepaintsEachMove) {
    h.editor->onMouseDown(200, 100);
    h.host.calls.clear();
    h.editor->onMouseMove(400, 300);
    EXPECT_EQ(target(kAxisFX), 1.0f);
    EXPECT_EQ(target(kAxisFY), 1.0f);
    EXPECT_EQ(automations(h.host), (std::vector<Automation>{{44, 1.0f}, {30, 1.0f}}));
    EXPECT_TRUE(held(kAxisFX));
    h.editor->onMouseMove(-300, -300);
    EXPECT_EQ(target(kAxisFX), 0.0f);
    EXPECT_EQ(target(kAxisFY), 0.0f);
    EXPECT_EQ(h.framesPresented, 2);
}

TEST_F(EditorMouse, ModulationPadSetsTheFirstModulatorsAmounts) {
    h.editor->onMouseDown(361, 372);
    EXPECT_EQ(amount(kAxisLX), 0.5f);
    EXPECT_EQ(amount(kAxisLY), 0.5f);
    EXPECT_FALSE(held(kAxisLX)) << "the modulation pad holds nothing";
    h.editor->onMouseMove(391, 342);
    EXPECT_EQ(amount(kAxisLX), 1.0f);
    EXPECT_EQ(amount(kAxisLY), 0.0f);
    EXPECT_EQ(automations(h.host), (std::vector<Automation>{{81, 0.5f}, {67, 0.5f}, {81, 1.0f}, {67, 0.0f}}));
}

TEST_F(EditorMouse, KnobDragIsRelativeVerticalAndClamped) {
    const ControlRect& knob = controlRects[2]; // column M's X rate
    const std::int32_t x = knob.x + 13;
    const std::int32_t y = knob.y + 13;
    h.plugin->setParameter(15, 0.5f);
    h.editor->onMouseDown(x, y);
    h.editor->onMouseMove(x, y - 10);
    EXPECT_EQ(h.plugin->getParameter(15), static_cast<float>(0.5 + 10 * 0.007));
    h.editor->onMouseMove(x + 40, y - 110);
    EXPECT_EQ(h.plugin->getParameter(15), 1.0f);
    // No dead zone after the limit: the first pixel back acts at once.
    h.editor->onMouseMove(x, y - 109);
    EXPECT_EQ(h.plugin->getParameter(15), static_cast<float>(1.0 - 0.007));
    h.editor->onMouseMove(x - 30, y - 109);
    EXPECT_EQ(h.plugin->getParameter(15), static_cast<float>(1.0 - 0.007));
    EXPECT_EQ(automations(h.host).size(), 4u);
}

// A host may store anything; the host must not hear it back as automation.
TEST_F(EditorMouse, KnobDragFromAValueThatIsNoNumberStartsAtZero) {
    const ControlRect& knob = controlRects[2]; // column M's X rate
    const std::int32_t x = knob.x + 13;
    const std::int32_t y = knob.y + 13;
    h.plugin->setParameter(15, NAN);
    h.editor->onMouseDown(x, y);
    h.editor->onMouseMove(x, y - 10);
    EXPECT_EQ(automations(h.host), (std::vector<Automation>{{15, static_cast<float>(10 * 0.007)}}));
    h.plugin->setParameter(15, INFINITY);
    h.editor->onMouseMove(x, y - 11);
    EXPECT_EQ(h.plugin->getParameter(15), 1.0f) << "infinities clamp as before";
}

TEST_F(EditorMouse, PressingAndReleasingAKnobChangesNothing) {
    const ControlRect& knob = controlRects[23 + 13];
    h.editor->onMouseDown(knob.x + 5, knob.y + 5);
    h.editor->onMouseUp(knob.x + 5, knob.y + 5);
    EXPECT_TRUE(automations(h.host).empty());
}

TEST_F(EditorMouse, ReleaseLetsGoOfEverySixAxesWhateverWasPressed) {
    for (AxisRecord& axis : h.plugin->engine.axes) {
        axis.held = true; // as MIDI notes and a pad would leave them
    }
    h.editor->onMouseDown(400, 415); // on no control
    h.editor->onMouseUp(400, 415);
    for (std::int32_t axis = 0; axis < 6; ++axis) {
        EXPECT_FALSE(held(axis)) << "axis " << axis;
    }
    EXPECT_TRUE(automations(h.host).empty());
}

TEST_F(EditorMouse, MovesWithoutAPressedControlDoNothing) {
    const float before = target(kAxisMX);
    h.editor->onMouseMove(100, 100);
    h.editor->onMouseDown(2, 2);
    h.editor->onMouseMove(100, 100);
    EXPECT_EQ(target(kAxisMX), before);
    EXPECT_TRUE(h.host.calls.empty());
    EXPECT_EQ(h.framesPresented, 0);
}

// No begin-edit or end-edit around a drag: the host hears automation only.
TEST_F(EditorMouse, DragsTellTheHostNothingButAutomation) {
    h.editor->onMouseDown(100, 100);
    h.editor->onMouseMove(120, 90);
    h.editor->onMouseUp(120, 90);
    const ControlRect& knob = controlRects[8];
    h.editor->onMouseDown(knob.x + 13, knob.y + 13);
    h.editor->onMouseMove(knob.x + 13, knob.y + 3);
    h.editor->onMouseUp(knob.x + 13, knob.y + 3);
    EXPECT_EQ(h.host.calls.size(), 5u);
    EXPECT_EQ(automations(h.host).size(), 5u);
}

TEST_F(EditorMouse, WindowEventsReachTheEditorWithCapturedNegativePositions) {
    XplatWindow& window = h.editor->platformWindow();
    xplatSoftwareSendMessage(window, XplatMessage::leftButtonDown, packed(6, 6));
    EXPECT_TRUE(xplatSoftwareHasCapture(window));
    EXPECT_EQ(target(kAxisMX), 0.00625f);
    // Dragged off the window's top left: 65535 is -1, so both clamp to 0.
    xplatSoftwareSendMessage(window, XplatMessage::mouseMove, packed(65535, 65535));
    EXPECT_EQ(target(kAxisMX), 0.0f);
    EXPECT_EQ(target(kAxisMY), 0.0f);
    xplatSoftwareSendMessage(window, XplatMessage::leftButtonUp, packed(65535, 65535));
    EXPECT_FALSE(xplatSoftwareHasCapture(window));
    EXPECT_FALSE(held(kAxisMX));
    xplatSoftwareSendMessage(window, XplatMessage::paint, 0);
    EXPECT_EQ(h.framesPresented, 2);
}

} // namespace
