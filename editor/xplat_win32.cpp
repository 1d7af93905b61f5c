// The window layer on Win32 USER and GDI, for the Windows library: a child
// window in the host's window, a back buffer compatible with it, and every
// copy made through device contexts that live for that one copy only; only
// the window and the back buffer last from one call to the next.
#include "xplat_win32.h"

#include <cstring>

#include "xplat.h"
#include "xplat_messages.h"
#include "xplat_win32_messages.h"

HINSTANCE moduleInstance = nullptr;

namespace {

// The layer's opaque handles are the GDI and USER handles themselves.
HWND nativeWindow(const XplatWindow& window) { return reinterpret_cast<HWND>(window.window); }
HDC nativeDc(XplatDc dc) { return reinterpret_cast<HDC>(dc); }
XplatDc layerDc(HDC dc) { return reinterpret_cast<XplatDc>(dc); }
HGDIOBJ nativeObject(XplatBitmap bitmap) { return reinterpret_cast<HGDIOBJ>(bitmap); }
XplatBitmap layerBitmap(HGDIOBJ object) { return static_cast<XplatBitmap>(object); }

// A window that was never made (the host passed no parent, or something
// that is no window) is not drawn at all: GetDC(NULL) would hand over the
// device context of the whole screen.
bool hasWindow(const XplatWindow& window) { return window.window != nullptr; }

// The frame of a copy into the back buffer: the window's device context,
// then two memory contexts made from it, the back buffer in the first.
void beginBackBufferCopy(XplatWindow& window) {
    window.windowDc = layerDc(GetDC(nativeWindow(window)));
    window.backDc = layerDc(CreateCompatibleDC(nativeDc(window.windowDc)));
    window.sourceDc = layerDc(CreateCompatibleDC(nativeDc(window.windowDc)));
    window.savedBitmap = layerBitmap(SelectObject(nativeDc(window.backDc), nativeObject(window.backBuffer)));
}

// Puts back what the memory contexts held before, then lets every context go.
void endBackBufferCopy(XplatWindow& window, HGDIOBJ sourceSaved) {
    SelectObject(nativeDc(window.sourceDc), sourceSaved);
    SelectObject(nativeDc(window.backDc), nativeObject(window.savedBitmap));
    DeleteDC(nativeDc(window.sourceDc));
    DeleteDC(nativeDc(window.backDc));
    ReleaseDC(nativeWindow(window), nativeDc(window.windowDc));
    window.windowDc = nullptr;
    window.backDc = nullptr;
    window.sourceDc = nullptr;
    window.savedBitmap = nullptr;
}

void copyFromSource(XplatWindow& window, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                    std::int32_t srcX, std::int32_t srcY, DWORD rasterOperation) {
    BitBlt(nativeDc(window.backDc), x, y, w, h, nativeDc(window.sourceDc), srcX, srcY, rasterOperation);
}

} // namespace

void xplatWindowClassName(char (&name)[kWindowClassNameSize]) {
    std::memset(name, 0, sizeof name);
    std::strcpy(name, "ZuWin");
    std::strcat(name, "Quorvane");
}

std::int32_t xplatCreateWindow(void* parent, XplatWindow& window) {
    char className[kWindowClassNameSize];
    xplatWindowClassName(className);
    const HWND created = CreateWindowExA(0, className, "PlugClientArea", WS_CHILD | WS_VISIBLE, 0, 0, window.width,
                                         window.height, static_cast<HWND>(parent), nullptr, moduleInstance, nullptr);
    window.window = reinterpret_cast<XplatWindowHandle>(created);
    if (!hasWindow(window)) {
        return 1;
    }
    // The pointer-sized variant: SetWindowLongA would cut a 64-bit pointer in
    // half. The 32-bit headers define it as SetWindowLongA itself.
    SetWindowLongPtrA(created, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window.owner));
    window.windowDc = layerDc(GetDC(created));
    window.backBuffer =
        layerBitmap(CreateCompatibleBitmap(nativeDc(window.windowDc), window.width, window.height));
    ReleaseDC(created, nativeDc(window.windowDc));
    window.windowDc = nullptr;
    return 1;
}

void xplatDestroyWindow(XplatWindow& window) {
    DeleteObject(nativeObject(window.backBuffer));
    DestroyWindow(nativeWindow(window));
    // Neither handle may be used again: Windows hands out the same values anew.
    window.backBuffer = nullptr;
    window.window = nullptr;
}

XplatBitmap xplatLoadBitmap(std::int32_t resourceId) {
    return layerBitmap(LoadBitmapA(moduleInstance, MAKEINTRESOURCEA(resourceId)));
}

void xplatDeleteBitmap(XplatBitmap bitmap) { DeleteObject(nativeObject(bitmap)); }

void xplatBlit(XplatWindow& window, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
               XplatBitmap bitmap, std::int32_t srcX, std::int32_t srcY) {
    if (!hasWindow(window)) {
        return;
    }
    beginBackBufferCopy(window);
    const HGDIOBJ sourceSaved = SelectObject(nativeDc(window.sourceDc), nativeObject(bitmap));
    copyFromSource(window, x, y, w, h, srcX, srcY, SRCCOPY);
    endBackBufferCopy(window, sourceSaved);
}

void xplatMaskedBlit(XplatWindow& window, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                     XplatBitmap image, XplatBitmap mask, std::int32_t srcX, std::int32_t srcY) {
    if (!hasWindow(window)) {
        return;
    }
    beginBackBufferCopy(window);
    const HGDIOBJ sourceSaved = SelectObject(nativeDc(window.sourceDc), nativeObject(mask));
    copyFromSource(window, x, y, w, h, srcX, srcY, SRCAND);
    SelectObject(nativeDc(window.sourceDc), nativeObject(image));
    copyFromSource(window, x, y, w, h, srcX, srcY, SRCPAINT);
    endBackBufferCopy(window, sourceSaved);
}

void xplatPresent(XplatWindow& window, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
    if (!hasWindow(window)) {
        return;
    }
    // Through GetDC, not BeginPaint: presents also come from idle calls and
    // drags, outside any WM_PAINT.
    const HWND target = nativeWindow(window);
    window.windowDc = layerDc(GetDC(target));
    window.backDc = layerDc(CreateCompatibleDC(nativeDc(window.windowDc)));
    window.savedBitmap = layerBitmap(SelectObject(nativeDc(window.backDc), nativeObject(window.backBuffer)));
    BitBlt(nativeDc(window.windowDc), x, y, w, h, nativeDc(window.backDc), x, y, SRCCOPY);
    SelectObject(nativeDc(window.backDc), nativeObject(window.savedBitmap));
    DeleteDC(nativeDc(window.backDc));
    ReleaseDC(target, nativeDc(window.windowDc));
    window.windowDc = nullptr;
    window.backDc = nullptr;
    window.savedBitmap = nullptr;
}

// The host's message loop has handed every message to xplatWindowProc already.
void xplatDispatchPendingEvents(XplatWindow& /*window*/) {}

LRESULT CALLBACK xplatWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The default handling comes first and its answer is ours for every
    // message; for WM_PAINT it has already validated the window.
    const LRESULT answer = DefWindowProcA(window, message, wParam, lParam);
    const XplatMessage routed = xplatMessageOf(message);
    if (routed == XplatMessage::other) {
        return answer;
    }
    // Null until xplatCreateWindow stores it: messages sent during
    // CreateWindowExA find no editor.
    auto* editor = reinterpret_cast<EditorWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (xplatRouteMessage(editor, routed, static_cast<std::uint32_t>(lParam))) {
    case XplatCapture::take:
        SetCapture(window);
        break;
    case XplatCapture::release:
        ReleaseCapture();
        break;
    case XplatCapture::unchanged:
        break;
    }
    return answer;
}
