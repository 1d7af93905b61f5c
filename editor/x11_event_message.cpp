#include "x11_event_message.h"

namespace {

// x in the low 16 bits, y in the high 16, each cut to 16 bits as Win32 cuts
// a window position: a pointer held by the implicit grab left of or above
// the window has a negative position, which wraps to just below 65536.
std::uint32_t packPosition(int x, int y) {
    return (static_cast<std::uint32_t>(y) & 0xFFFFu) << 16 | (static_cast<std::uint32_t>(x) & 0xFFFFu);
}

} // namespace

X11EventMessage x11EventMessage(const XEvent& event) {
    switch (event.type) {
    case ButtonPress:
        if (event.xbutton.button == Button1) {
            return {XplatMessage::leftButtonDown, packPosition(event.xbutton.x, event.xbutton.y)};
        }
        break;
    case ButtonRelease:
        if (event.xbutton.button == Button1) {
            return {XplatMessage::leftButtonUp, packPosition(event.xbutton.x, event.xbutton.y)};
        }
        break;
    case MotionNotify:
        return {XplatMessage::mouseMove, packPosition(event.xmotion.x, event.xmotion.y)};
    case Expose:
        // One repaint covers the whole window: only the series' last rectangle.
        if (event.xexpose.count == 0) {
            return {XplatMessage::paint, 0};
        }
        break;
    default:
        break;
    }
    return {XplatMessage::other, 0};
}
