// The software back end's bitmaps: 24-bit colour (red, green, blue bytes) or
// 1-bit black and white (one byte per pixel, 0 or 1), rows from the top.
#pragma once

#include <cstdint>
#include <vector>

struct Raster {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t bitsPerPixel = 24;
    std::vector<std::uint8_t> bytes;

    static Raster colour(std::int32_t width, std::int32_t height);
    static Raster monochrome(std::int32_t width, std::int32_t height);
};

// How a copied source pixel meets the target pixel, bit by bit, as the GDI
// raster operations SRCCOPY, SRCAND and SRCPAINT define it.
enum class RasterOp { sourceCopy, sourceAnd, sourcePaint };

// Copies (srcX, srcY, w, h) of source to (x, y) of the 24-bit target. A
// 1-bit source is expanded as GDI does: 0 is black, 1 white. The copy is
// clipped to both bitmaps, so any rectangle, however far outside, is safe.
void rasterBlit(Raster& target, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                const Raster& source, std::int32_t srcX, std::int32_t srcY, RasterOp op);
