// The thin layer between the editor and whatever shows its pixels: one child
// window with an off-screen back buffer, bitmaps from the library's
// resources, three copies and the control hit test. The editor draws only
// through these functions; each back end (software, X11, GDI) supplies them.
#pragma once

#include <cstdint>

class EditorWindow;

// Handles are opaque to the editor; each back end says what they point to.
struct XplatNativeWindow;
struct XplatDeviceContext;
struct XplatBitmapData;
using XplatWindowHandle = XplatNativeWindow*;
using XplatDc = XplatDeviceContext*;
using XplatBitmap = XplatBitmapData*;

// An integer rectangle in window pixels.
struct ControlRect {
    std::int32_t x;
    std::int32_t y;
    std::int32_t width;
    std::int32_t height;
};

// One per editor, embedded in it and zeroed when the editor is made. Only
// window and backBuffer live between calls; the device contexts exist for
// one drawing operation on back ends that have them (GDI) and stay null on
// the software one.
struct XplatWindow {
    EditorWindow* owner;
    std::int32_t width;
    std::int32_t height;
    XplatWindowHandle window;
    XplatDc windowDc;
    XplatDc backDc;
    XplatBitmap backBuffer;
    XplatBitmap savedBitmap;
    XplatDc sourceDc;
};

// Creates the child window inside parent and its back buffer; always 1.
std::int32_t xplatCreateWindow(void* parent, XplatWindow& window);
// Deletes the back buffer, then the window.
void xplatDestroyWindow(XplatWindow& window);

// A bitmap from the library's resources by integer id; null when missing.
XplatBitmap xplatLoadBitmap(std::int32_t resourceId);
void xplatDeleteBitmap(XplatBitmap bitmap);

// Copies (srcX, srcY, w, h) of bitmap to (x, y) of the back buffer.
void xplatBlit(XplatWindow& window, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
               XplatBitmap bitmap, std::int32_t srcX, std::int32_t srcY);
// Punches the mask into the back buffer (AND), then paints the image into
// the hole (OR): white mask keeps the back buffer, black takes the image.
void xplatMaskedBlit(XplatWindow& window, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                     XplatBitmap image, XplatBitmap mask, std::int32_t srcX, std::int32_t srcY);
// Shows (x, y, w, h) of the back buffer in the window, in one copy.
void xplatPresent(XplatWindow& window, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h);

// Hands the window's queued events to the window procedure. A window system
// that delivers them only when asked (X11) gets asked here, at every idle;
// where the host's message loop dispatches them (Win32) nothing is queued.
void xplatDispatchPendingEvents(XplatWindow& window);

// First index whose rectangle strictly contains (x, y); 0 for none, so the
// table's entry 0 stands for "no control".
std::int32_t xplatHitTest(std::int32_t x, std::int32_t y, const ControlRect* table, std::int32_t count);
