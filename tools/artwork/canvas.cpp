#include "canvas.h"

#include <algorithm>
#include <cmath>

Colour mix(Colour from, Colour to, double amount) {
    return {from.r + (to.r - from.r) * amount, from.g + (to.g - from.g) * amount, from.b + (to.b - from.b) * amount};
}

Canvas::Canvas(int width, int height, Colour fill)
    : w(width), h(height), pixels(static_cast<std::size_t>(width * height), fill) {}

void Canvas::blend(int x, int y, Colour colour, double coverage) {
    if (x < 0 || y < 0 || x >= w || y >= h || coverage <= 0.0) {
        return;
    }
    Colour& pixel = pixels[static_cast<std::size_t>(y * w + x)];
    pixel = mix(pixel, colour, std::min(coverage, 1.0));
}

void Canvas::fillRect(int left, int top, int right, int bottom, Colour colour) {
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            set(x, y, colour);
        }
    }
}

void Canvas::fillVerticalGradient(int left, int top, int right, int bottom, Colour topColour, Colour bottomColour) {
    for (int y = top; y <= bottom; ++y) {
        const double amount = bottom > top ? double(y - top) / double(bottom - top) : 0.0;
        const Colour colour = mix(topColour, bottomColour, amount);
        for (int x = left; x <= right; ++x) {
            set(x, y, colour);
        }
    }
}

void Canvas::bevel(int left, int top, int right, int bottom, Colour light, Colour dark) {
    for (int x = left; x <= right; ++x) {
        set(x, top, light);
        set(x, bottom, dark);
    }
    for (int y = top; y <= bottom; ++y) {
        set(left, y, light);
        set(right, y, dark);
    }
}

std::vector<std::uint8_t> Canvas::rgbBytes() const {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(pixels.size() * 3);
    const auto quantise = [](double value) {
        return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
    };
    for (const Colour& pixel : pixels) {
        bytes.push_back(quantise(pixel.r));
        bytes.push_back(quantise(pixel.g));
        bytes.push_back(quantise(pixel.b));
    }
    return bytes;
}
