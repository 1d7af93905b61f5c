// The window layer's drawing, entirely in memory: a 24-bit back buffer and
// the three copies as the GDI raster operations define them, and the frames
// and events of the window that holds it. That window is made by the Linux
// library's X11 layer, which also shows the frames, or by the memory-only
// one, whose frames only the sink sees.
#include "xplat_software.h"

#include <algorithm>
#include <new>

#include "bitmap_resources.h"
#include "dib_decoder.h"
#include "raster.h"
#include "xplat_software_window.h"

struct XplatBitmapData {
    Raster raster;
};

void xplatSoftwareCreateWindow(XplatWindow& window) {
    window.window = new (std::nothrow) XplatNativeWindow{window.owner, {nullptr, nullptr}, false, nullptr};
    window.backBuffer = new (std::nothrow) XplatBitmapData{Raster::colour(window.width, window.height)};
}

void xplatSoftwareDestroyWindow(XplatWindow& window) {
    delete window.backBuffer;
    window.backBuffer = nullptr;
    delete window.window;
    window.window = nullptr;
}

XplatBitmap xplatLoadBitmap(std::int32_t resourceId) {
    const ResourceBytes resource = findBitmapResource(resourceId);
    Raster raster;
    if (!decodePackedDib(resource.data, resource.size, raster)) {
        return nullptr;
    }
    return new (std::nothrow) XplatBitmapData{std::move(raster)};
}

void xplatDeleteBitmap(XplatBitmap bitmap) { delete bitmap; }

void xplatBlit(XplatWindow& window, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
               XplatBitmap bitmap, std::int32_t srcX, std::int32_t srcY) {
    // A bitmap that failed to load draws nothing, as GDI's BitBlt of a null
    // bitmap does.
    if (window.backBuffer == nullptr || bitmap == nullptr) {
        return;
    }
    rasterBlit(window.backBuffer->raster, x, y, w, h, bitmap->raster, srcX, srcY, RasterOp::sourceCopy);
}

void xplatMaskedBlit(XplatWindow& window, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                     XplatBitmap image, XplatBitmap mask, std::int32_t srcX, std::int32_t srcY) {
    if (window.backBuffer == nullptr) {
        return;
    }
    Raster& target = window.backBuffer->raster;
    if (mask != nullptr) {
        rasterBlit(target, x, y, w, h, mask->raster, srcX, srcY, RasterOp::sourceAnd);
    }
    if (image != nullptr) {
        rasterBlit(target, x, y, w, h, image->raster, srcX, srcY, RasterOp::sourcePaint);
    }
}

XplatFrame xplatSoftwareBackBuffer(const XplatWindow& window) {
    if (window.backBuffer == nullptr) {
        return {nullptr, 0, 0, 0, 0, 0, 0, 0};
    }
    const Raster& raster = window.backBuffer->raster;
    return {raster.bytes.data(), raster.width, raster.height, raster.width * 3, 0, 0, raster.width, raster.height};
}

void xplatPresent(XplatWindow& window, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
    if (window.window == nullptr || window.window->sink.present == nullptr) {
        return;
    }
    XplatFrame frame = xplatSoftwareBackBuffer(window);
    // The presented rectangle, clipped to the frame.
    const std::int64_t left = std::clamp<std::int64_t>(x, 0, frame.width);
    const std::int64_t top = std::clamp<std::int64_t>(y, 0, frame.height);
    const std::int64_t right = std::clamp<std::int64_t>(std::int64_t{x} + w, left, frame.width);
    const std::int64_t bottom = std::clamp<std::int64_t>(std::int64_t{y} + h, top, frame.height);
    frame.presentedX = static_cast<std::int32_t>(left);
    frame.presentedY = static_cast<std::int32_t>(top);
    frame.presentedWidth = static_cast<std::int32_t>(right - left);
    frame.presentedHeight = static_cast<std::int32_t>(bottom - top);
    window.window->sink.present(window.window->sink.context, frame);
}

XplatFrameSink xplatSoftwareSetFrameSink(XplatWindow& window, XplatFrameSink sink) {
    if (window.window == nullptr) {
        return {nullptr, nullptr};
    }
    const XplatFrameSink previous = window.window->sink;
    window.window->sink = sink;
    return previous;
}

void xplatSoftwareSendMessage(XplatWindow& window, XplatMessage message, std::uint32_t packedPosition) {
    if (window.window == nullptr) {
        return;
    }
    // Read the owner the way the window procedure reads the user data: it
    // may be null, and the routing copes with that.
    const XplatCapture capture = xplatRouteMessage(window.window->userData, message, packedPosition);
    if (window.window == nullptr) {
        return; // the editor closed its window while handling the message
    }
    if (capture == XplatCapture::take) {
        window.window->captured = true;
    } else if (capture == XplatCapture::release) {
        window.window->captured = false;
    }
}

bool xplatSoftwareHasCapture(const XplatWindow& window) {
    return window.window != nullptr && window.window->captured;
}
