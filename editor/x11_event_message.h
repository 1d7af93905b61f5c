// What an X event on the editor's window means to the window procedure: the
// message it stands for and the pointer packed as Win32 packs it, so that one
// routing and one pointer decoding serve both window systems.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>

#include "xplat_messages.h"

struct X11EventMessage {
    XplatMessage message;
    std::uint32_t packedPosition;
};

// Left button press and release, any pointer motion, and the last Expose of a
// series; everything else (other buttons, the wheel, the window's own
// structure events) is XplatMessage::other.
X11EventMessage x11EventMessage(const XEvent& event);
