// The server's pointer moved and pressed through the XTEST extension, as a
// user's mouse would, for tests that play an editor in a real X11 window.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

// Moves the pointer to (x, y) of window.
inline void movePointerTo(Display* display, Window window, int x, int y) {
    int rootX = 0;
    int rootY = 0;
    Window under = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY, &under);
    XTestFakeMotionEvent(display, DefaultScreen(display), rootX, rootY, CurrentTime);
    XSync(display, False);
}

inline void pressLeftButton(Display* display, bool down) {
    XTestFakeButtonEvent(display, Button1, down ? True : False, CurrentTime);
    XSync(display, False);
}
