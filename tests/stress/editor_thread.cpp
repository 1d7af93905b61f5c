// The host's GUI thread: the editor opened on the software back end (a null
// parent window), idled, painted and played with the mouse (presses on pads
// and knobs, drags that leave the window on any side, releases without a
// press and presses without a release), asked for its picture, and closed,
// over and over.
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "editor/control_layout.h"
#include "tests/stress/host_choices.h"
#include "tests/stress/instance_under_load.h"
#include "tests/support/editor_window_access.h"
#include "vst2/editor_picture_request.h"

namespace {

constexpr std::int32_t kFeedbackColumn = 1;

struct Pointer {
    std::int32_t x;
    std::int32_t y;
};

// A point strictly inside a control: a pad or a knob; a tame host keeps off
// the feedback section's column.
Pointer pointOnAControl(HostChoices& choose, bool tame) {
    for (;;) {
        const std::int32_t control = choose.below(kControlCount);
        const ControlRect& rect = controlRects[static_cast<std::size_t>(control)];
        if (rect.width < 3 || (tame && control / kControlsPerColumn == kFeedbackColumn)) {
            continue;
        }
        return {rect.x + choose.between(1, rect.width - 1), rect.y + choose.between(1, rect.height - 1)};
    }
}

// Small steps mostly; now and then a throw far outside the window.
Pointer nextPointer(HostChoices& choose, Pointer pointer) {
    if (choose.chance(0.1)) {
        return {choose.between(-3000, 3000), choose.between(-3000, 3000)};
    }
    return {pointer.x + choose.between(-20, 20), pointer.y + choose.between(-20, 20)};
}

class EditorSession {
public:
    EditorSession(InstanceUnderLoad& instance, RunControl& run)
        : instance(instance), run(run), effect(instance.effect), picture(kEditorPictureBytes) {}

    void send(XplatMessage message, Pointer pointer) {
        xplatSoftwareSendMessage(editorWindowOf(effect), message, packedPointer(pointer.x, pointer.y));
        instance.mouseMessages.fetch_add(1, std::memory_order_relaxed);
    }

    void open() {
        if (effect->dispatcher(effect, effEditOpen, 0, 0, nullptr, 0.0f) != 1) {
            run.failures.record("the editor did not open on the software back end");
        }
        instance.editorOpens.fetch_add(1, std::memory_order_relaxed);
    }

    // A press, a few moves and, mostly, the release.
    void gesture(HostChoices& choose) {
        Pointer pointer = pointOnAControl(choose, instance.manners.tame);
        send(XplatMessage::leftButtonDown, pointer);
        for (int move = choose.between(0, 12); move > 0; --move) {
            pointer = nextPointer(choose, pointer);
            send(XplatMessage::mouseMove, pointer);
        }
        if (choose.chance(0.9)) {
            send(XplatMessage::leftButtonUp, pointer);
            if (xplatSoftwareHasCapture(editorWindowOf(effect))) {
                run.failures.record("the editor kept the pointer after a release");
            }
        }
    }

    // What else a window system and a host do to an open editor.
    void interlude(HostChoices& choose) {
        switch (choose.below(6)) {
        case 0:
            send(XplatMessage::leftButtonUp, nextPointer(choose, {0, 0})); // a release without a press
            break;
        case 1:
            send(XplatMessage::mouseMove, nextPointer(choose, {250, 210}));
            break;
        case 2:
            send(XplatMessage::paint, {0, 0});
            break;
        case 3:
            askForPicture();
            break;
        default:
            effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f);
            break;
        }
    }

    void askForPicture() {
        if (effect->dispatcher(effect, effVendorSpecific, kEditorPictureRequest, kEditorPictureBytes, picture.data(),
                               0.0f) != 1) {
            run.failures.record("no picture of the editor");
        }
    }

private:
    InstanceUnderLoad& instance;
    RunControl& run;
    AEffect* effect;
    std::vector<char> picture;
};

} // namespace

void playEditor(InstanceUnderLoad& instance, RunControl& run) {
    HostChoices choose(instance.seed);
    AEffect* effect = instance.effect;
    EditorSession session(instance, run);
    while (!run.stop.load(std::memory_order_relaxed)) {
        ERect* rect = nullptr;
        effect->dispatcher(effect, effEditGetRect, 0, 0, &rect, 0.0f);
        if (rect == nullptr || rect->right - rect->left != kEditorWidth || rect->bottom - rect->top != kEditorHeight) {
            run.failures.record("the editor's rectangle is not 500 x 420");
        }
        session.open();
        if (choose.chance(0.1)) {
            session.open(); // some hosts open again without closing first
        }
        for (int gestures = choose.between(1, 20); gestures > 0 && !run.stop.load(std::memory_order_relaxed);
             --gestures) {
            session.gesture(choose);
            session.interlude(choose);
            std::this_thread::sleep_for(std::chrono::microseconds(choose.between(50, 1000)));
        }
        effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0.0f);
        if (choose.chance(0.1)) {
            effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0.0f);
            effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f); // idle after close
        }
        if (choose.chance(0.2)) {
            session.askForPicture(); // of a closed editor: opened and closed for it
        }
    }
}
