// The software back end's own additions to the window layer: it draws into
// memory and hands each presented frame to whoever asked for it (a snapshot,
// a test, the X11 window), and it takes the events that a window system
// delivers to the window procedure.
#pragma once

#include <cstdint>

#include "xplat.h"
#include "xplat_messages.h"

// One presented frame: 24-bit red, green, blue rows from the top, and the
// rectangle of it that was presented.
struct XplatFrame {
    const std::uint8_t* rgb;
    std::int32_t width;
    std::int32_t height;
    std::int32_t stride;
    std::int32_t presentedX;
    std::int32_t presentedY;
    std::int32_t presentedWidth;
    std::int32_t presentedHeight;
};

// Called on every present; the frame is valid only during the call.
struct XplatFrameSink {
    void (*present)(void* context, const XplatFrame& frame);
    void* context;
};

// Frames of an open window go to sink from now on (a null present drops
// them); answers the sink they went to before, so a borrower can give it back.
XplatFrameSink xplatSoftwareSetFrameSink(XplatWindow& window, XplatFrameSink sink);

// The window procedure's entry: routes the event to the window's owner and
// keeps the pointer capture as the routing says.
void xplatSoftwareSendMessage(XplatWindow& window, XplatMessage message, std::uint32_t packedPosition);
// Whether the window holds the pointer capture (between press and release).
bool xplatSoftwareHasCapture(const XplatWindow& window);

// The back buffer as a frame, for reading between presents.
XplatFrame xplatSoftwareBackBuffer(const XplatWindow& window);
