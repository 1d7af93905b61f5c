#include "dib_decoder.h"

#include <utility>

namespace {

constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kUncompressed = 0;
// Larger bitmaps are no resource of ours; the bound keeps sizes in range.
constexpr std::int64_t kLargestSide = 8192;

std::uint32_t readLe(const std::uint8_t* p, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | p[i];
    }
    return value;
}

// A monochrome bitmap keeps only black and white: each palette colour
// becomes the nearer of the two.
std::uint8_t whiteBitFor(const std::uint8_t* paletteEntry) {
    return paletteEntry[0] + paletteEntry[1] + paletteEntry[2] >= 384 ? 1 : 0;
}

} // namespace

bool decodePackedDib(const std::uint8_t* data, std::size_t size, Raster& out) {
    if (data == nullptr || size < kInfoHeaderSize || readLe(data, 4) < kInfoHeaderSize) {
        return false;
    }
    const std::size_t headerSize = readLe(data, 4);
    if (headerSize > size) {
        return false;
    }
    const auto width = static_cast<std::int64_t>(static_cast<std::int32_t>(readLe(data + 4, 4)));
    const auto signedHeight = static_cast<std::int64_t>(static_cast<std::int32_t>(readLe(data + 8, 4)));
    const std::uint32_t bitsPerPixel = readLe(data + 14, 2);
    const std::uint32_t compression = readLe(data + 16, 4);
    const std::uint32_t coloursUsed = readLe(data + 32, 4);
    const bool bottomUp = signedHeight > 0;
    const std::int64_t height = bottomUp ? signedHeight : -signedHeight;
    if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide || compression != kUncompressed ||
        (bitsPerPixel != 1 && bitsPerPixel != 24)) {
        return false;
    }
    const std::size_t paletteEntries = bitsPerPixel == 1 ? (coloursUsed == 0 ? 2 : coloursUsed) : coloursUsed;
    if (paletteEntries > 256) {
        return false;
    }
    const std::size_t pixelsOffset = headerSize + 4 * paletteEntries;
    const auto stride = static_cast<std::size_t>((width * bitsPerPixel + 31) / 32 * 4);
    if (size < pixelsOffset || (size - pixelsOffset) / stride < static_cast<std::size_t>(height)) {
        return false;
    }
    const std::uint8_t* palette = data + headerSize;
    if (bitsPerPixel == 1 && paletteEntries < 2) {
        return false;
    }

    const auto w = static_cast<std::int32_t>(width);
    const auto h = static_cast<std::int32_t>(height);
    Raster decoded = bitsPerPixel == 1 ? Raster::monochrome(w, h) : Raster::colour(w, h);
    for (std::int32_t row = 0; row < h; ++row) {
        const std::uint8_t* in = data + pixelsOffset + stride * static_cast<std::size_t>(bottomUp ? h - 1 - row : row);
        for (std::int32_t x = 0; x < w; ++x) {
            const auto at = static_cast<std::size_t>(row) * w + x;
            if (bitsPerPixel == 1) {
                const int index = (in[x / 8] >> (7 - x % 8)) & 1;
                decoded.bytes[at] = whiteBitFor(palette + 4 * index);
            } else {
                // Stored blue, green, red.
                decoded.bytes[at * 3] = in[x * 3 + 2];
                decoded.bytes[at * 3 + 1] = in[x * 3 + 1];
                decoded.bytes[at * 3 + 2] = in[x * 3];
            }
        }
    }
    out = std::move(decoded);
    return true;
}
