// What an X11 window shows, read back from the server as red, green and
// blue bytes, rows from the top: the pixels a Linux user sees.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstddef>
#include <vector>

namespace window_pixels_detail {

inline unsigned char channel(unsigned long pixel, unsigned long mask) {
    int shift = 0;
    while (((mask >> shift) & 1ul) == 0) {
        ++shift;
    }
    return static_cast<unsigned char>((pixel & mask) >> shift);
}

} // namespace window_pixels_detail

// Empty when the window cannot be read.
inline std::vector<unsigned char> readWindowPixels(Display* display, Window window, int width, int height) {
    using window_pixels_detail::channel;
    XImage* image = XGetImage(display, window, 0, 0, width, height, AllPlanes, ZPixmap);
    std::vector<unsigned char> rgb;
    if (image == nullptr) {
        return rgb;
    }
    rgb.reserve(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            rgb.push_back(channel(pixel, image->red_mask));
            rgb.push_back(channel(pixel, image->green_mask));
            rgb.push_back(channel(pixel, image->blue_mask));
        }
    }
    XDestroyImage(image);
    return rgb;
}
