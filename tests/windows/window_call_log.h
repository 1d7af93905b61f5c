// The USER and GDI calls that Quorvane.dll makes, in order. The loaded
// DLL's import table is pointed at recorders that note each call and pass
// it on, so the log holds the DLL's own calls and nothing of the host's.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct WindowCall {
    std::string function;
    std::vector<std::uintptr_t> arguments;
    std::uintptr_t result = 0;
    // CreateWindowExA's class and window names; empty for other calls.
    std::string text;
};

// The window's user data is set and read through the pointer-sized pair;
// 32-bit Windows has only the 32-bit pair, which the headers stand in for it.
#if defined(_WIN64)
constexpr char kSetUserData[] = "SetWindowLongPtrA";
constexpr char kGetUserData[] = "GetWindowLongPtrA";
#else
constexpr char kSetUserData[] = "SetWindowLongA";
constexpr char kGetUserData[] = "GetWindowLongA";
#endif

// Records, until the DLL is unloaded, its calls of GetDC, ReleaseDC,
// CreateWindowExA, DestroyWindow, kSetUserData, kGetUserData,
// DefWindowProcA, SetCapture, ReleaseCapture, LoadBitmapA,
// CreateCompatibleDC, DeleteDC, CreateCompatibleBitmap, SelectObject,
// BitBlt and DeleteObject. Answers how many of them the DLL imports.
int recordWindowCalls(HMODULE dll);

// Every call recorded so far, the host's own notes included; tests clear it.
std::vector<WindowCall>& windowCalls();

// A call into the host (the plug-in's callback), noted among the DLL's calls.
void noteHostCall(const char* function, std::uintptr_t argument);
