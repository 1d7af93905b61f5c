#include "x11_error_trap.h"

namespace {

// Xlib calls the handler on the thread that reads the error, which for our
// connection is the thread inside the trap. Traps do not nest.
thread_local Display* trappedDisplay = nullptr;
thread_local int trappedErrors = 0;
thread_local XErrorHandler handlerOutsideTrap = nullptr;

int countOrPassOn(Display* display, XErrorEvent* error) {
    if (display == trappedDisplay) {
        ++trappedErrors;
        return 0;
    }
    return handlerOutsideTrap(display, error);
}

} // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) {
    trappedDisplay = display;
    trappedErrors = 0;
    previousHandler = XSetErrorHandler(countOrPassOn);
    handlerOutsideTrap = previousHandler;
}

X11ErrorTrap::~X11ErrorTrap() {
    XSetErrorHandler(previousHandler);
    trappedDisplay = nullptr;
}

bool X11ErrorTrap::caughtError() const { return trappedErrors > 0; }
