// The test host's side of the editor: a top-level window to open it in, the
// message loop, and the pixels a window shows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// A visible top-level window whose client area holds the 500 x 420 editor.
// One for the whole program, as a host keeps its window while plug-ins
// come and go (and as wine, with no window manager to confirm, takes two
// seconds to destroy a top-level window). It lies clear of the screen's
// top left corner, where a test looks for stray drawing.
class HostWindow {
public:
    static HostWindow& shared();

    HWND handle() const { return window; }
    // The editor's child window inside it, or null.
    HWND editorWindow() const;

private:
    HostWindow();
    HWND window;
};

// Dispatches every message waiting for this thread, as a host's loop does.
void pumpMessages();

// What the window shows (the whole screen for null), read with BitBlt from
// its device context into a bitmap of ours: 24-bit red, green, blue rows
// from the top.
std::vector<std::uint8_t> readWindowPixels(HWND window, int width, int height);
