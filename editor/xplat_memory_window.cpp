// The software back end's window as no window system shows it: its frames
// are seen only by the frame sink, and its events arrive only through
// xplatSoftwareSendMessage. The Windows test host's reference editor draws
// on it.
#include "xplat_software_window.h"

std::int32_t xplatCreateWindow(void* /*parent*/, XplatWindow& window) {
    // A host's window handle is not ours to follow when nothing draws in it.
    xplatSoftwareCreateWindow(window);
    return 1;
}

void xplatDestroyWindow(XplatWindow& window) { xplatSoftwareDestroyWindow(window); }

void xplatDispatchPendingEvents(XplatWindow& /*window*/) {}
