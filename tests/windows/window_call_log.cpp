#include "window_call_log.h"

#include <cstring>
#include <type_traits>
#include <utility>

namespace {

template <typename T> std::uintptr_t word(T value) {
    if constexpr (std::is_pointer_v<T>) {
        return reinterpret_cast<std::uintptr_t>(value);
    } else {
        return static_cast<std::uintptr_t>(value);
    }
}

template <typename... Arguments> std::vector<std::uintptr_t> words(Arguments... arguments) {
    return {word(arguments)...};
}

// Notes the call before making it, so calls it makes in turn (messages
// sent while a window is made) follow it in the log.
template <typename Call> auto recorded(const char* function, std::vector<std::uintptr_t> arguments, Call call) {
    std::vector<WindowCall>& calls = windowCalls();
    const std::size_t at = calls.size();
    calls.push_back({function, std::move(arguments), 0, {}});
    const auto result = call();
    calls[at].result = word(result);
    return result;
}

// The import address table slot of library!function in module, or null.
void** importSlot(HMODULE module, const char* library, const char* function) {
    auto* base = reinterpret_cast<BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* descriptor = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         descriptor->Name != 0; ++descriptor) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + descriptor->Name), library) != 0) {
            continue;
        }
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                continue;
            }
            const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0) {
                return reinterpret_cast<void**>(&slots->u1.Function);
            }
        }
    }
    return nullptr;
}

// Points the slot at recorder and keeps what it held in original.
template <typename Function>
bool redirect(HMODULE dll, const char* library, const char* function, Function recorder, Function& original) {
    void** slot = importSlot(dll, library, function);
    if (slot == nullptr) {
        return false;
    }
    DWORD protection = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
    original = reinterpret_cast<Function>(*slot);
    *slot = reinterpret_cast<void*>(recorder);
    VirtualProtect(slot, sizeof *slot, protection, &protection);
    return true;
}

decltype(&GetDC) realGetDC;
decltype(&ReleaseDC) realReleaseDC;
decltype(&CreateWindowExA) realCreateWindowExA;
decltype(&DestroyWindow) realDestroyWindow;
decltype(&SetWindowLongPtrA) realSetWindowLongPtrA;
decltype(&GetWindowLongPtrA) realGetWindowLongPtrA;
decltype(&DefWindowProcA) realDefWindowProcA;
decltype(&SetCapture) realSetCapture;
decltype(&ReleaseCapture) realReleaseCapture;
decltype(&LoadBitmapA) realLoadBitmapA;
decltype(&CreateCompatibleDC) realCreateCompatibleDC;
decltype(&DeleteDC) realDeleteDC;
decltype(&CreateCompatibleBitmap) realCreateCompatibleBitmap;
decltype(&SelectObject) realSelectObject;
decltype(&BitBlt) realBitBlt;
decltype(&DeleteObject) realDeleteObject;

HDC WINAPI recordGetDC(HWND window) {
    return recorded("GetDC", words(window), [&] { return realGetDC(window); });
}
int WINAPI recordReleaseDC(HWND window, HDC dc) {
    return recorded("ReleaseDC", words(window, dc), [&] { return realReleaseDC(window, dc); });
}
HWND WINAPI recordCreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                                  int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    const std::size_t at = windowCalls().size();
    const HWND created = recorded("CreateWindowExA", words(exStyle, style, x, y, width, height, parent, menu,
                                                           instance, param),
                                  [&] {
                                      return realCreateWindowExA(exStyle, className, windowName, style, x, y, width,
                                                                 height, parent, menu, instance, param);
                                  });
    windowCalls()[at].text = std::string(className) + "|" + windowName;
    return created;
}
BOOL WINAPI recordDestroyWindow(HWND window) {
    return recorded("DestroyWindow", words(window), [&] { return realDestroyWindow(window); });
}
LONG_PTR WINAPI recordSetWindowLongPtrA(HWND window, int index, LONG_PTR value) {
    return recorded(kSetUserData, words(window, index, value),
                    [&] { return realSetWindowLongPtrA(window, index, value); });
}
LONG_PTR WINAPI recordGetWindowLongPtrA(HWND window, int index) {
    return recorded(kGetUserData, words(window, index), [&] { return realGetWindowLongPtrA(window, index); });
}
LRESULT WINAPI recordDefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return recorded("DefWindowProcA", words(window, message, wParam, lParam),
                    [&] { return realDefWindowProcA(window, message, wParam, lParam); });
}
HWND WINAPI recordSetCapture(HWND window) {
    return recorded("SetCapture", words(window), [&] { return realSetCapture(window); });
}
BOOL WINAPI recordReleaseCapture() {
    return recorded("ReleaseCapture", {}, [&] { return realReleaseCapture(); });
}
HBITMAP WINAPI recordLoadBitmapA(HINSTANCE instance, LPCSTR name) {
    return recorded("LoadBitmapA", words(instance, name), [&] { return realLoadBitmapA(instance, name); });
}
HDC WINAPI recordCreateCompatibleDC(HDC dc) {
    return recorded("CreateCompatibleDC", words(dc), [&] { return realCreateCompatibleDC(dc); });
}
BOOL WINAPI recordDeleteDC(HDC dc) {
    return recorded("DeleteDC", words(dc), [&] { return realDeleteDC(dc); });
}
HBITMAP WINAPI recordCreateCompatibleBitmap(HDC dc, int width, int height) {
    return recorded("CreateCompatibleBitmap", words(dc, width, height),
                    [&] { return realCreateCompatibleBitmap(dc, width, height); });
}
HGDIOBJ WINAPI recordSelectObject(HDC dc, HGDIOBJ object) {
    return recorded("SelectObject", words(dc, object), [&] { return realSelectObject(dc, object); });
}
BOOL WINAPI recordBitBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                         DWORD operation) {
    return recorded("BitBlt", words(target, x, y, width, height, source, sourceX, sourceY, operation),
                    [&] { return realBitBlt(target, x, y, width, height, source, sourceX, sourceY, operation); });
}
BOOL WINAPI recordDeleteObject(HGDIOBJ object) {
    return recorded("DeleteObject", words(object), [&] { return realDeleteObject(object); });
}

} // namespace

std::vector<WindowCall>& windowCalls() {
    static std::vector<WindowCall> calls;
    return calls;
}

void noteHostCall(const char* function, std::uintptr_t argument) {
    windowCalls().push_back({function, {argument}, 0, {}});
}

int recordWindowCalls(HMODULE dll) {
    const bool redirected[] = {
        redirect(dll, "user32.dll", "GetDC", &recordGetDC, realGetDC),
        redirect(dll, "user32.dll", "ReleaseDC", &recordReleaseDC, realReleaseDC),
        redirect(dll, "user32.dll", "CreateWindowExA", &recordCreateWindowExA, realCreateWindowExA),
        redirect(dll, "user32.dll", "DestroyWindow", &recordDestroyWindow, realDestroyWindow),
        redirect(dll, "user32.dll", kSetUserData, &recordSetWindowLongPtrA, realSetWindowLongPtrA),
        redirect(dll, "user32.dll", kGetUserData, &recordGetWindowLongPtrA, realGetWindowLongPtrA),
        redirect(dll, "user32.dll", "DefWindowProcA", &recordDefWindowProcA, realDefWindowProcA),
        redirect(dll, "user32.dll", "SetCapture", &recordSetCapture, realSetCapture),
        redirect(dll, "user32.dll", "ReleaseCapture", &recordReleaseCapture, realReleaseCapture),
        redirect(dll, "user32.dll", "LoadBitmapA", &recordLoadBitmapA, realLoadBitmapA),
        redirect(dll, "gdi32.dll", "CreateCompatibleDC", &recordCreateCompatibleDC, realCreateCompatibleDC),
        redirect(dll, "gdi32.dll", "DeleteDC", &recordDeleteDC, realDeleteDC),
        redirect(dll, "gdi32.dll", "CreateCompatibleBitmap", &recordCreateCompatibleBitmap,
                 realCreateCompatibleBitmap),
        redirect(dll, "gdi32.dll", "SelectObject", &recordSelectObject, realSelectObject),
        redirect(dll, "gdi32.dll", "BitBlt", &recordBitBlt, realBitBlt),
        redirect(dll, "gdi32.dll", "DeleteObject", &recordDeleteObject, realDeleteObject),
    };
    int count = 0;
    for (bool found : redirected) {
        count += found ? 1 : 0;
    }
    return count;
}
