// The Linux library's window layer: the software back end draws every frame
// into memory, and an X11 child window of the host's window shows it
// (XPutImage) and hands its mouse and expose events to the window procedure
// at every idle. The editor opens its own connection to the X server on the
// thread that opens it; nothing here starts a thread, calls XInitThreads or
// touches X before that. Whatever goes wrong with X (no display, a parent of
// 0, a bogus or vanished parent, a visual we cannot fill), the editor stays
// open without a window and keeps drawing into memory.
#include <X11/Xlib.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

#include "x11_error_trap.h"
#include "x11_event_message.h"
#include "xplat_software_window.h"
#include "xplat_x11.h"

namespace {

constexpr int kNativeByteOrder = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? LSBFirst : MSBFirst;
constexpr long kWindowEvents =
    ButtonPressMask | ButtonReleaseMask | PointerMotionMask | ExposureMask | StructureNotifyMask;
// The Win32 window class's background brush, RGB(119, 119, 119).
constexpr std::uint8_t kBackgroundGrey = 119;

// The shift of an 8-bit channel mask; -1 for any other mask.
int channelShift(unsigned long mask) {
    for (int shift = 0; shift <= 24; ++shift) {
        if (mask == 0xFFul << shift) {
            return shift;
        }
    }
    return -1;
}

} // namespace

struct XplatSystemWindow {
    Display* display = nullptr;
    Window window = 0;
    GC gc = nullptr;
    // Our 32-bit copy of the back buffer, in the window's pixel layout.
    XImage image{};
    std::unique_ptr<std::uint32_t[]> pixels;
    int redShift = 0;
    int greenShift = 0;
    int blueShift = 0;
    // Set when our window is no longer there to draw in: the host destroyed
    // its own window (ours went with it) or X reported an error.
    bool gone = false;
    // The events read at one idle; kept to reuse its storage.
    std::vector<XEvent> inbox;

    std::uint32_t pixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const {
        return std::uint32_t{red} << redShift | std::uint32_t{green} << greenShift | std::uint32_t{blue} << blueShift;
    }
};

namespace {

// A 24-bit true-colour visual with 8-bit channels, which every X server of
// our time offers as its default; others get no window.
bool takePixelLayout(XplatSystemWindow& shown, const Screen* screen) {
    const Visual* visual = DefaultVisualOfScreen(screen);
    shown.redShift = channelShift(visual->red_mask);
    shown.greenShift = channelShift(visual->green_mask);
    shown.blueShift = channelShift(visual->blue_mask);
    return visual->c_class == TrueColor && DefaultDepthOfScreen(screen) == 24 && shown.redShift >= 0 &&
           shown.greenShift >= 0 && shown.blueShift >= 0;
}

// Our pixels at 32 bits each in this machine's byte order; Xlib converts
// them to the server's format if that differs.
bool prepareImage(XplatSystemWindow& shown, const Visual* visual, int width, int height) {
    shown.pixels.reset(new (std::nothrow) std::uint32_t[static_cast<std::size_t>(width) * height]);
    if (shown.pixels == nullptr) {
        return false;
    }
    XImage& image = shown.image;
    image.width = width;
    image.height = height;
    image.format = ZPixmap;
    image.data = reinterpret_cast<char*>(shown.pixels.get());
    image.byte_order = kNativeByteOrder;
    image.bitmap_unit = 32;
    image.bitmap_bit_order = kNativeByteOrder;
    image.bitmap_pad = 32;
    image.depth = 24;
    image.bytes_per_line = width * 4;
    image.bits_per_pixel = 32;
    image.red_mask = visual->red_mask;
    image.green_mask = visual->green_mask;
    image.blue_mask = visual->blue_mask;
    return XInitImage(&image) != 0;
}

// The child window, inside a trap: a parent that does not exist fails here.
bool createChild(XplatSystemWindow& shown, Window parent, int width, int height) {
    Display* display = shown.display;
    XWindowAttributes parentAttributes;
    if (XGetWindowAttributes(display, parent, &parentAttributes) == 0) {
        return false;
    }
    Screen* screen = parentAttributes.screen;
    Visual* visual = DefaultVisualOfScreen(screen);
    if (!takePixelLayout(shown, screen) || !prepareImage(shown, visual, width, height)) {
        return false;
    }
    // Our own visual and colormap, not the parent's: a parent of another
    // depth would otherwise refuse the child.
    XSetWindowAttributes attributes{};
    attributes.background_pixel = shown.pixel(kBackgroundGrey, kBackgroundGrey, kBackgroundGrey);
    attributes.border_pixel = 0;
    attributes.colormap = DefaultColormapOfScreen(screen);
    attributes.event_mask = kWindowEvents;
    shown.window =
        XCreateWindow(display, parent, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height), 0, 24,
                      InputOutput, visual, CWBackPixel | CWBorderPixel | CWColormap | CWEventMask, &attributes);
    // XEmbed protocol version 0, mapped: embedders that speak XEmbed find
    // the window's state; keyboard focus is never asked for.
    const Atom embedInfo = XInternAtom(display, "_XEMBED_INFO", False);
    const long embedState[2] = {0, 1};
    XChangeProperty(display, shown.window, embedInfo, embedInfo, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(embedState), 2);
    shown.gc = XCreateGC(display, shown.window, 0, nullptr);
    XMapWindow(display, shown.window);
    return true;
}

void closeSystemWindow(XplatSystemWindow* shown) {
    {
        X11ErrorTrap trap(shown->display);
        if (shown->gc != nullptr) {
            XFreeGC(shown->display, shown->gc);
        }
        if (!shown->gone) {
            XDestroyWindow(shown->display, shown->window);
        }
        XCloseDisplay(shown->display);
    }
    delete shown;
}

XplatSystemWindow* openSystemWindow(Window parent, int width, int height) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return nullptr;
    }
    auto* shown = new (std::nothrow) XplatSystemWindow;
    if (shown == nullptr) {
        XCloseDisplay(display);
        return nullptr;
    }
    shown->display = display;
    bool created = false;
    {
        X11ErrorTrap trap(display);
        created = createChild(*shown, parent, width, height);
        XSync(display, False);
        created = created && !trap.caughtError();
    }
    if (!created) {
        shown->gone = true;
        closeSystemWindow(shown);
        return nullptr;
    }
    return shown;
}

// The frame sink of a window shown by X.
void showFrame(void* context, const XplatFrame& frame) {
    XplatSystemWindow& shown = *static_cast<XplatSystemWindow*>(context);
    if (shown.gone || frame.width != shown.image.width || frame.height != shown.image.height) {
        return;
    }
    for (std::int32_t row = frame.presentedY; row < frame.presentedY + frame.presentedHeight; ++row) {
        const std::uint8_t* rgb = frame.rgb + static_cast<std::size_t>(row) * frame.stride + frame.presentedX * 3;
        std::uint32_t* out = shown.pixels.get() + static_cast<std::size_t>(row) * frame.width + frame.presentedX;
        for (std::int32_t column = 0; column < frame.presentedWidth; ++column, rgb += 3) {
            out[column] = shown.pixel(rgb[0], rgb[1], rgb[2]);
        }
    }
    X11ErrorTrap trap(shown.display);
    XPutImage(shown.display, shown.window, shown.gc, &shown.image, frame.presentedX, frame.presentedY, frame.presentedX,
              frame.presentedY, static_cast<unsigned>(frame.presentedWidth),
              static_cast<unsigned>(frame.presentedHeight));
    // The present is done when it returns, as a copy to a Win32 window is,
    // and a window that vanished is heard of now rather than later.
    XSync(shown.display, False);
    if (trap.caughtError()) {
        shown.gone = true;
    }
}

// Every event queued on our connection when the idle begins (only our window
// is on it). Events that keep coming while the editor repaints wait for the
// next idle, so a fast mouse cannot keep the host's idle call from returning.
void collectQueuedEvents(XplatSystemWindow& shown) {
    shown.inbox.clear();
    X11ErrorTrap trap(shown.display);
    for (int queued = XEventsQueued(shown.display, QueuedAfterFlush); queued > 0; --queued) {
        XEvent event;
        XNextEvent(shown.display, &event);
        if (event.type == DestroyNotify && event.xdestroywindow.window == shown.window) {
            shown.gone = true;
        }
        shown.inbox.push_back(event);
    }
    if (trap.caughtError()) {
        shown.gone = true;
    }
}

} // namespace

std::int32_t xplatCreateWindow(void* parent, XplatWindow& window) {
    xplatSoftwareCreateWindow(window);
    // The host's parent is an X window id passed as a pointer-sized integer.
    const auto parentWindow = static_cast<Window>(reinterpret_cast<std::uintptr_t>(parent));
    if (window.window == nullptr || parentWindow == 0) {
        return 1;
    }
    XplatSystemWindow* shown = openSystemWindow(parentWindow, window.width, window.height);
    if (shown != nullptr) {
        window.window->shownIn = shown;
        xplatSoftwareSetFrameSink(window, {showFrame, shown});
    }
    return 1;
}

void xplatDestroyWindow(XplatWindow& window) {
    if (window.window != nullptr && window.window->shownIn != nullptr) {
        closeSystemWindow(window.window->shownIn);
    }
    xplatSoftwareDestroyWindow(window);
}

unsigned long xplatX11WindowId(const XplatWindow& window) {
    const bool shown = window.window != nullptr && window.window->shownIn != nullptr && !window.window->shownIn->gone;
    return shown ? window.window->shownIn->window : 0;
}

void xplatDispatchPendingEvents(XplatWindow& window) {
    if (window.window == nullptr || window.window->shownIn == nullptr || window.window->shownIn->gone) {
        return;
    }
    XplatSystemWindow& shown = *window.window->shownIn;
    collectQueuedEvents(shown);
    for (std::size_t index = 0; index < shown.inbox.size(); ++index) {
        const XEvent& event = shown.inbox[index];
        // A run of moves counts as its last, as Win32 folds WM_MOUSEMOVE:
        // one repaint for the run, not one per position passed.
        const bool movedOnAtOnce =
            event.type == MotionNotify && index + 1 < shown.inbox.size() && shown.inbox[index + 1].type == MotionNotify;
        const X11EventMessage message = x11EventMessage(event);
        if (movedOnAtOnce || message.message == XplatMessage::other) {
            continue;
        }
        xplatSoftwareSendMessage(window, message.message, message.packedPosition);
        if (window.window == nullptr) {
            return; // the editor closed its window while handling the event
        }
    }
}
