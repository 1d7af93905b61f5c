// What the Windows library's load notification and the GDI window layer
// share: the module handle and the editor's window class.
#pragma once

#include <windows.h>

#include <cstddef>

// The library's own module, kept by the load notification on every call;
// the editor's window and bitmaps are made from it.
extern HINSTANCE moduleInstance;

constexpr std::size_t kWindowClassNameSize = 128;

// "ZuWin" followed by the product name, in a zero-filled buffer: the name
// under which the library registers the editor's window class.
void xplatWindowClassName(char (&name)[kWindowClassNameSize]);

// The window procedure of that class: mouse and paint messages reach the
// editor stored in the window's user data.
LRESULT CALLBACK xplatWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
