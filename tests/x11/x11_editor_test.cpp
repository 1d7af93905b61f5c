// The editor in a real X11 window: a host of ours on a virtual X server makes
// a parent window, loads the built library, opens the editor into it through
// the dispatcher, plays it with the XTEST extension's pointer and reads the
// window's pixels back, which must be the software frame of the same state
// (Quorvane's own picture request). Also what hosts get wrong: no parent, a
// parent that does not exist or goes away, no display, opening twice.
// gtest first: X.h defines None, which gtest uses as a name.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/integration/loaded_plugin.h"
#include "tests/support/recording_host.h"
#include "vst2/editor_picture_request.h"
#include "test_pointer.h"
#include "window_pixels.h"
#include "xvfb_server.h"

namespace {

constexpr int kEditorWidth = 500;
constexpr int kEditorHeight = 420;
// Parameters the tests play: MY and MX TargetPos (the oscillator's XY pad)
// and MXRate (the first knob of the oscillator's column).
constexpr VstInt32 kMYTargetPos = 0;
constexpr VstInt32 kMXTargetPos = 14;
constexpr VstInt32 kMXRate = 15;

// The host's own X error handler. The plug-in's errors must never reach it,
// and it must be the one installed whenever the plug-in has returned.
int hostErrors = 0;
int countHostError(Display*, XErrorEvent*) {
    ++hostErrors;
    return 0;
}

using Picture = std::vector<unsigned char>; // 500 x 420, red, green, blue, rows from the top

struct Automation {
    VstInt32 index;
    float value;
    bool operator==(const Automation& other) const { return index == other.index && value == other.value; }
};

std::ostream& operator<<(std::ostream& out, const Automation& automation) {
    return out << "parameter " << automation.index << " = " << automation.value;
}

// Empty when the pictures agree, else how many pixels differ and the first.
std::string pictureDifference(const Picture& window, const Picture& software) {
    if (window.size() != software.size()) {
        return "sizes differ: " + std::to_string(window.size()) + " and " + std::to_string(software.size());
    }
    int differing = 0;
    std::ostringstream first;
    for (std::size_t pixel = 0; pixel < window.size() / 3; ++pixel) {
        if (std::equal(&window[pixel * 3], &window[pixel * 3 + 3], &software[pixel * 3])) {
            continue;
        }
        if (differing++ == 0) {
            first << " first at (" << pixel % kEditorWidth << ", " << pixel / kEditorWidth << "): window "
                  << int{window[pixel * 3]} << "," << int{window[pixel * 3 + 1]} << "," << int{window[pixel * 3 + 2]}
                  << ", software " << int{software[pixel * 3]} << "," << int{software[pixel * 3 + 1]} << ","
                  << int{software[pixel * 3 + 2]};
        }
    }
    return differing == 0 ? std::string() : std::to_string(differing) + " pixels differ," + first.str();
}

class X11Editor : public ::testing::Test {
protected:
    X11Editor() : display(XOpenDisplay(server.displayName().c_str())) {}

    void SetUp() override {
        ASSERT_NE(display, nullptr);
        int unused = 0;
        ASSERT_TRUE(XTestQueryExtension(display, &unused, &unused, &unused, &unused));
        hostErrors = 0;
        XSetErrorHandler(countHostError);
        parent = XCreateSimpleWindow(display, DefaultRootWindow(display), kParentX, kParentY, 540, 440, 0,
                                     BlackPixel(display, 0), WhitePixel(display, 0));
        XMapWindow(display, parent);
        XSync(display, False);
        effect = library.entry("main")(RecordingHost::callback);
        ASSERT_NE(effect, nullptr);
    }

    void TearDown() override {
        if (effect != nullptr) {
            EXPECT_EQ(dispatch(effect, effClose), 1);
        }
        EXPECT_EQ(XSetErrorHandler(nullptr), &countHostError) << "the host's error handler is in place";
        EXPECT_EQ(hostErrors, 0) << "the plug-in's X errors reached the host";
        XCloseDisplay(display);
    }

    VstIntPtr openEditorIn(Window window) {
        return dispatch(effect, effEditOpen, 0, 0, reinterpret_cast<void*>(static_cast<std::uintptr_t>(window)));
    }
    void idle() { EXPECT_EQ(dispatch(effect, effEditIdle), 0); }

    // Idles as a host does until what the server sent has had its effect:
    // an event reaches the plug-in's connection a moment after our XSync.
    bool idleUntil(const std::function<bool()>& done) {
        for (int tick = 0; tick < 2500; ++tick) {
            idle();
            if (done()) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return false;
    }

    std::vector<Window> childrenOf(Window window) {
        Window root = 0;
        Window itsParent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (XQueryTree(display, window, &root, &itsParent, &children, &count) == 0) {
            return {};
        }
        std::vector<Window> result(children, children + count);
        XFree(children);
        return result;
    }

    Picture windowPixels(Window window) { return readWindowPixels(display, window, kEditorWidth, kEditorHeight); }

    // The software back end's frame of the editor as it is now.
    Picture softwarePicture() {
        Picture picture(static_cast<std::size_t>(kEditorPictureBytes));
        EXPECT_EQ(dispatch(effect, effVendorSpecific, kEditorPictureRequest, kEditorPictureBytes, picture.data()), 1);
        return picture;
    }

    void pointerTo(Window window, int x, int y) { movePointerTo(display, window, x, y); }
    void leftButton(bool down) { pressLeftButton(display, down); }

    std::vector<Automation> automations() const {
        std::vector<Automation> result;
        for (const HostCall& call : host.calls) {
            if (call.opcode == audioMasterAutomate) {
                result.push_back({call.index, call.opt});
            }
        }
        return result;
    }

    static constexpr int kParentX = 50;
    static constexpr int kParentY = 30;

    XvfbServer server;
    Display* display;
    LoadedPlugin library;
    RecordingHost host;
    AEffect* effect = nullptr;
    Window parent = 0;
};

TEST_F(X11Editor, AChildOfTheHostsWindowThatShowsTheSoftwareFrame) {
    ASSERT_EQ(openEditorIn(parent), 1);
    const std::vector<Window> children = childrenOf(parent);
    ASSERT_EQ(children.size(), 1u);
    const Window editor = children[0];

    XWindowAttributes attributes;
    ASSERT_NE(XGetWindowAttributes(display, editor, &attributes), 0);
    EXPECT_EQ(attributes.x, 0);
    EXPECT_EQ(attributes.y, 0);
    EXPECT_EQ(attributes.width, kEditorWidth);
    EXPECT_EQ(attributes.height, kEditorHeight);
    EXPECT_EQ(attributes.map_state, IsViewable);
    EXPECT_EQ(attributes.all_event_masks & (KeyPressMask | KeyReleaseMask | FocusChangeMask), 0)
        << "the keyboard stays the host's";

    const Atom embedInfo = XInternAtom(display, "_XEMBED_INFO", False);
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    ASSERT_EQ(XGetWindowProperty(display, editor, embedInfo, 0, 2, False, embedInfo, &type, &format, &items, &remaining,
                                 &data),
              Success);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(type, embedInfo);
    EXPECT_EQ(format, 32);
    ASSERT_EQ(items, 2u);
    EXPECT_EQ(reinterpret_cast<long*>(data)[0], 0) << "XEmbed version";
    EXPECT_EQ(reinterpret_cast<long*>(data)[1], 1) << "XEmbed flags: mapped";
    XFree(data);

    idle();
    EXPECT_EQ(pictureDifference(windowPixels(editor), softwarePicture()), "");

    EXPECT_EQ(dispatch(effect, effEditClose), 0);
    EXPECT_TRUE(childrenOf(parent).empty());
}

TEST_F(X11Editor, PlayedWithTheServersPointerItAutomatesAndRepaints) {
    ASSERT_EQ(openEditorIn(parent), 1);
    const std::vector<Window> children = childrenOf(parent);
    ASSERT_EQ(children.size(), 1u);
    const Window editor = children[0];
    idle();

    // A press on the oscillator's XY pad (left edge x 5, top y 5) ...
    pointerTo(editor, 60, 100);
    leftButton(true);
    ASSERT_TRUE(idleUntil([&] { return automations().size() >= 2; }));
    EXPECT_EQ(automations()[0], (Automation{kMXTargetPos, 55 * 0.00625f}));
    EXPECT_EQ(automations()[1], (Automation{kMYTargetPos, 95 * 0.005f}));

    // ... a drag across it, shown at once ...
    pointerTo(editor, 120, 50);
    ASSERT_TRUE(idleUntil([&] { return effect->getParameter(effect, kMXTargetPos) == 115 * 0.00625f; }));
    EXPECT_EQ(effect->getParameter(effect, kMYTargetPos), 45 * 0.005f);
    EXPECT_EQ(pictureDifference(windowPixels(editor), softwarePicture()), "");

    // ... and out of the window to the left and below the pad: the implicit
    // grab keeps the pointer ours, and both values clamp.
    pointerTo(editor, -20, 300);
    ASSERT_TRUE(idleUntil([&] { return effect->getParameter(effect, kMXTargetPos) == 0.0f; }));
    EXPECT_EQ(effect->getParameter(effect, kMYTargetPos), 1.0f);
    leftButton(false);

    const std::vector<Automation> padDrag = automations();
    ASSERT_GE(padDrag.size(), 6u);
    for (std::size_t step = 0; step < padDrag.size(); ++step) {
        EXPECT_EQ(padDrag[step].index, step % 2 == 0 ? kMXTargetPos : kMYTargetPos) << "step " << step;
    }
    EXPECT_EQ(padDrag[padDrag.size() - 2], (Automation{kMXTargetPos, 0.0f}));
    EXPECT_EQ(padDrag.back(), (Automation{kMYTargetPos, 1.0f}));

    // After the release the pad is let go: moving over the first knob of the
    // column (27 x 27 at (30, 258)) automates nothing; a press there and a
    // drag 10 pixels up turns it by 0.07.
    const float rateBefore = effect->getParameter(effect, kMXRate);
    pointerTo(editor, 43, 271);
    leftButton(true);
    pointerTo(editor, 43, 261);
    ASSERT_TRUE(idleUntil([&] { return automations().size() > padDrag.size(); }));
    EXPECT_EQ(automations().size(), padDrag.size() + 1) << "the pad still followed the pointer";
    EXPECT_EQ(automations().back(), (Automation{kMXRate, static_cast<float>(std::min(1.0, rateBefore + 10 * 0.007))}));

    // The held knob's mark is the pressed one, in the window as in software.
    idle();
    EXPECT_EQ(pictureDifference(windowPixels(editor), softwarePicture()), "");
    leftButton(false);
}

TEST_F(X11Editor, AParameterFromTheHostShowsAtTheNextIdleNotBefore) {
    ASSERT_EQ(openEditorIn(parent), 1);
    const Window editor = childrenOf(parent).at(0);
    idle();
    const Picture before = windowPixels(editor);

    // setParameter may come from any thread: it must not draw.
    effect->setParameter(effect, kMXRate, 0.9f);
    effect->setParameter(effect, kMXTargetPos, 0.8f);
    EXPECT_EQ(pictureDifference(windowPixels(editor), before), "");

    idle();
    const Picture after = windowPixels(editor);
    EXPECT_NE(pictureDifference(after, before), "");
    EXPECT_EQ(pictureDifference(after, softwarePicture()), "");
}

TEST_F(X11Editor, OpeningTwiceReplacesTheWindowAndIdlingClosedDoesNothing) {
    idle();
    EXPECT_EQ(dispatch(effect, effEditClose), 0);
    EXPECT_TRUE(childrenOf(parent).empty());

    ASSERT_EQ(openEditorIn(parent), 1);
    const std::vector<Window> first = childrenOf(parent);
    ASSERT_EQ(openEditorIn(parent), 1);
    const std::vector<Window> second = childrenOf(parent);
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(second.size(), 1u) << "the first window was closed";
    idle();
    EXPECT_EQ(pictureDifference(windowPixels(second[0]), softwarePicture()), "");

    EXPECT_EQ(dispatch(effect, effEditClose), 0);
    EXPECT_TRUE(childrenOf(parent).empty());
    idle();
    EXPECT_EQ(dispatch(effect, effEditClose), 0);
}

TEST_F(X11Editor, NoParentOrOneThatDoesNotExistOpensWithoutAWindow) {
    const std::vector<Window> topLevels = childrenOf(DefaultRootWindow(display));
    const Window vanished = XCreateSimpleWindow(display, parent, 0, 0, 10, 10, 0, 0, 0);
    XDestroyWindow(display, vanished);
    XSync(display, False);

    for (const Window bad : {Window{0}, vanished}) {
        SCOPED_TRACE("parent " + std::to_string(bad));
        ASSERT_EQ(openEditorIn(bad), 1);
        idle();
        EXPECT_EQ(childrenOf(DefaultRootWindow(display)), topLevels);
        EXPECT_TRUE(childrenOf(parent).empty());
        softwarePicture(); // still draws, in memory
        EXPECT_EQ(dispatch(effect, effEditClose), 0);
    }
}

TEST_F(X11Editor, WithoutADisplayTheEditorOpensWithoutAWindow) {
    unsetenv("DISPLAY");
    ASSERT_EQ(openEditorIn(parent), 1);
    idle();
    EXPECT_TRUE(childrenOf(parent).empty());
    softwarePicture();
    EXPECT_EQ(dispatch(effect, effEditClose), 0);
}

TEST_F(X11Editor, TheHostDestroyingItsWindowFirstIsSurvived) {
    // Many hosts destroy their window, and the editor's with it, before they
    // send effEditClose: once after idling on, once closing at once.
    for (const bool idleAfterwards : {true, false}) {
        SCOPED_TRACE(idleAfterwards ? "idled after" : "closed at once");
        const Window doomed = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 520, 430, 0, 0, 0);
        XMapWindow(display, doomed);
        XSync(display, False);
        ASSERT_EQ(openEditorIn(doomed), 1);
        idle();
        XDestroyWindow(display, doomed);
        XSync(display, False);
        if (idleAfterwards) {
            effect->setParameter(effect, kMXTargetPos, 0.3f);
            idle();
            idle();
        }
        EXPECT_EQ(dispatch(effect, effEditClose), 0);
    }
    softwarePicture();
}

} // namespace
