// A picture being painted: colours as doubles so that soft edges blend
// without banding, rounded to bytes only when the picture is written.
#pragma once

#include <cstdint>
#include <vector>

struct Colour {
    double r;
    double g;
    double b;
};

constexpr Colour rgb(int r, int g, int b) { return {double(r), double(g), double(b)}; }

Colour mix(Colour from, Colour to, double amount);

class Canvas {
public:
    Canvas(int width, int height, Colour fill);

    int width() const { return w; }
    int height() const { return h; }
    Colour at(int x, int y) const { return pixels[static_cast<std::size_t>(y * w + x)]; }
    // Blends colour over the pixel by coverage 0..1; outside the canvas, nothing.
    void blend(int x, int y, Colour colour, double coverage);
    void set(int x, int y, Colour colour) { blend(x, y, colour, 1.0); }

    // Inclusive pixel bounds, as the layout gives them.
    void fillRect(int left, int top, int right, int bottom, Colour colour);
    // Top colour at row top, bottom colour at row bottom.
    void fillVerticalGradient(int left, int top, int right, int bottom, Colour topColour, Colour bottomColour);
    // A one-pixel light edge top and left, dark edge bottom and right.
    void bevel(int left, int top, int right, int bottom, Colour light, Colour dark);

    // 8-bit RGB, rows from the top.
    std::vector<std::uint8_t> rgbBytes() const;

private:
    int w;
    int h;
    std::vector<Colour> pixels;
};
