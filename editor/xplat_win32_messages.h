// The window messages the editor answers, as the window layer's messages:
// what the Win32 window procedure routes, and what the Windows test host
// sends the software back end to play it the same way.
#pragma once

#include <windows.h>

#include "xplat_messages.h"

inline XplatMessage xplatMessageOf(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
        return XplatMessage::leftButtonDown;
    case WM_LBUTTONUP:
        return XplatMessage::leftButtonUp;
    case WM_MOUSEMOVE:
        return XplatMessage::mouseMove;
    case WM_PAINT:
        return XplatMessage::paint;
    default:
        return XplatMessage::other;
    }
}
