// The software back end's record of the child window, shared by the two
// ways a build shows it: in memory only, or also in a window of the
// Linux library's window system (X11).
#pragma once

#include "xplat_software.h"

// The window system's own record of the window; only the back end that
// shows frames in one defines it.
struct XplatSystemWindow;

struct XplatNativeWindow {
    EditorWindow* userData;
    XplatFrameSink sink;
    bool captured;
    // Null while the frames are seen in memory only.
    XplatSystemWindow* shownIn;
};

// Makes the record, owned by window.owner, and the back buffer.
void xplatSoftwareCreateWindow(XplatWindow& window);
// Frees the back buffer, then the record.
void xplatSoftwareDestroyWindow(XplatWindow& window);
