// Quorvane.dll loaded, played with its editor open in a real window, closed
// and freed a hundred times in one process, as a host that rescans and
// reloads its plug-ins does: nothing may stay behind. Windows counts a
// process's GDI and USER objects (GetGuiResources), which must not grow;
// wine answers 0 there, so the host also counts for itself: it routes the
// DLL's imports that make and free GDI objects and device contexts through
// counters of its own, and lists the windows of its thread.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "host_window.h"
#include "tests/support/load_cycle_host.h"

namespace {

using namespace load_cycle;

constexpr int kCycles = 100;
constexpr int kWarmUpCycles = 5;

using PluginEntry = AEffect*(VSTCALLBACK*)(audioMasterCallback);

// What the DLL holds now of what it made through its routed imports.
int gdiObjectsHeld = 0;
int windowDcsHeld = 0;

HDC WINAPI countedCreateCompatibleDC(HDC dc) {
    const HDC made = CreateCompatibleDC(dc);
    gdiObjectsHeld += made != nullptr;
    return made;
}
HBITMAP WINAPI countedCreateCompatibleBitmap(HDC dc, int width, int height) {
    const HBITMAP made = CreateCompatibleBitmap(dc, width, height);
    gdiObjectsHeld += made != nullptr;
    return made;
}
HBITMAP WINAPI countedLoadBitmapA(HINSTANCE module, LPCSTR name) {
    const HBITMAP made = LoadBitmapA(module, name);
    gdiObjectsHeld += made != nullptr;
    return made;
}
BOOL WINAPI countedDeleteDC(HDC dc) {
    const BOOL deleted = DeleteDC(dc);
    gdiObjectsHeld -= deleted != FALSE;
    return deleted;
}
BOOL WINAPI countedDeleteObject(HGDIOBJ object) {
    const BOOL deleted = DeleteObject(object);
    gdiObjectsHeld -= deleted != FALSE;
    return deleted;
}
HDC WINAPI countedGetDC(HWND window) {
    const HDC dc = GetDC(window);
    windowDcsHeld += dc != nullptr;
    return dc;
}
int WINAPI countedReleaseDC(HWND window, HDC dc) {
    const int released = ReleaseDC(window, dc);
    windowDcsHeld -= released != 0;
    return released;
}

struct CountedImport {
    const char* name;
    ULONG_PTR standIn;
};

const CountedImport kCountedImports[] = {
    {"CreateCompatibleDC", reinterpret_cast<ULONG_PTR>(countedCreateCompatibleDC)},
    {"CreateCompatibleBitmap", reinterpret_cast<ULONG_PTR>(countedCreateCompatibleBitmap)},
    {"LoadBitmapA", reinterpret_cast<ULONG_PTR>(countedLoadBitmapA)},
    {"DeleteDC", reinterpret_cast<ULONG_PTR>(countedDeleteDC)},
    {"DeleteObject", reinterpret_cast<ULONG_PTR>(countedDeleteObject)},
    {"GetDC", reinterpret_cast<ULONG_PTR>(countedGetDC)},
    {"ReleaseDC", reinterpret_cast<ULONG_PTR>(countedReleaseDC)},
};

// Points the module's import slots of the functions above at their
// counters; answers how many slots it routed.
int routeCountedImports(HMODULE module) {
    auto* base = reinterpret_cast<BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    int routed = 0;
    for (auto* library = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         library->Name != 0; ++library) {
        const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                continue;
            }
            const char* name =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name;
            for (const CountedImport& counted : kCountedImports) {
                if (std::strcmp(name, counted.name) != 0) {
                    continue;
                }
                DWORD protection = 0;
                VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &protection);
                slots->u1.Function = counted.standIn;
                VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
                ++routed;
            }
        }
    }
    return routed;
}

BOOL CALLBACK countWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int threadWindowCount() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), countWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

int childWindowCount(HWND parent) {
    int count = 0;
    EnumChildWindows(parent, countWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Load, open, play, show, close, free.
void cycle(HWND host) {
    HMODULE module = LoadLibraryA("Quorvane.dll");
    ASSERT_NE(module, nullptr) << GetLastError();
    ASSERT_GE(routeCountedImports(module), 5) << "the DLL's GDI imports are counted";
    auto entry = reinterpret_cast<PluginEntry>(reinterpret_cast<void*>(GetProcAddress(module, "main")));
    ASSERT_NE(entry, nullptr);
    AEffect* effect = entry(answerVersion);
    ASSERT_NE(effect, nullptr);
    openAndPlay(effect);

    ASSERT_EQ(dispatch(effect, effEditOpen, 0, 0, host), 1);
    pumpMessages();
    dispatch(effect, effEditIdle);
    pumpMessages();
    EXPECT_EQ(childWindowCount(host), 1) << "the editor's window in the host's";
    EXPECT_GT(gdiObjectsHeld, 0) << "the counters see the editor's bitmaps";
    dispatch(effect, effEditClose);
    pumpMessages();

    dispatch(effect, effMainsChanged, 0, 0);
    EXPECT_EQ(dispatch(effect, effClose), 1);
    EXPECT_EQ(gdiObjectsHeld, 0) << "GDI objects the closed instance kept";
    EXPECT_EQ(windowDcsHeld, 0) << "window device contexts the closed instance kept";
    EXPECT_EQ(childWindowCount(host), 0) << "a window of the editor outlived it";

    ASSERT_TRUE(FreeLibrary(module));
    EXPECT_EQ(GetModuleHandleA("Quorvane.dll"), nullptr) << "the library stayed loaded";
    WNDCLASSEXA found{};
    found.cbSize = sizeof found;
    EXPECT_FALSE(GetClassInfoExA(module, "ZuWinQuorvane", &found)) << "the editor's window class outlived the DLL";
}

TEST(LoadCycles, AHundredLoadsLeaveNoWindowClassOrGdiOrUserObjectBehind) {
    const HWND host = HostWindow::shared().handle();
    const int threadWindowsBefore = threadWindowCount();
    DWORD gdiAfterWarmUp = 0;
    DWORD userAfterWarmUp = 0;
    for (int n = 0; n < kCycles; ++n) {
        cycle(host);
        ASSERT_FALSE(HasFailure()) << "cycle " << n;
        ASSERT_EQ(threadWindowCount(), threadWindowsBefore) << "a window left on the host's thread, cycle " << n;
        if (n + 1 == kWarmUpCycles) {
            gdiAfterWarmUp = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
            userAfterWarmUp = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
        }
    }
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiAfterWarmUp);
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), userAfterWarmUp);
}

} // namespace
