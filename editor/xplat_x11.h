// What the X11 window layer tells hosts that embed the editor by window id
// (LV2's X11 UIs) rather than by handing it their own window.
#pragma once

#include "xplat.h"

// The X window that shows the editor; 0 while it has none (no display, no
// parent, or the window went away).
unsigned long xplatX11WindowId(const XplatWindow& window);
