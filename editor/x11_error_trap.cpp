#include "x11_error_trap.h"

#include <atomic>

namespace {

// Xlib calls the handler on the thread that reads the error: for our
// connection that is the thread inside the trap, so which connection is
// trapped is that thread's own knowledge. Traps do not nest.
thread_local Display* trappedDisplay = nullptr;
thread_local int trappedErrors = 0;
// Any thread may read an error of the host's connections while the trap is
// set; it needs the host's handler.
std::atomic<XErrorHandler> handlerOutsideTrap{nullptr};

int countOrPassOn(Display* display, XErrorEvent* error) {
    if (display == trappedDisplay) {
        ++trappedErrors;
        return 0;
    }
    const XErrorHandler hostHandler = handlerOutsideTrap.load();
    return hostHandler != nullptr ? hostHandler(display, error) : 0;
}

} // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) {
    trappedDisplay = display;
    trappedErrors = 0;
    previousHandler = XSetErrorHandler(countOrPassOn);
    handlerOutsideTrap.store(previousHandler);
}

X11ErrorTrap::~X11ErrorTrap() {
    XSetErrorHandler(previousHandler);
    trappedDisplay = nullptr;
}

bool X11ErrorTrap::caughtError() const { return trappedErrors > 0; }
