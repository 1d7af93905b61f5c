#include "bmp_file.h"

#include <fstream>

namespace {

void putLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

// Rows of a bitmap are padded to whole 32-bit words.
int rowStride(int width, int bitsPerPixel) { return (width * bitsPerPixel + 31) / 32 * 4; }

std::vector<std::uint8_t> headers(int width, int height, int bitsPerPixel, int paletteEntries) {
    const std::uint32_t imageSize = static_cast<std::uint32_t>(rowStride(width, bitsPerPixel) * height);
    const std::uint32_t bitsOffset = 14 + 40 + 4 * static_cast<std::uint32_t>(paletteEntries);
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    putLe(out, bitsOffset + imageSize, 4);
    putLe(out, 0, 4);
    putLe(out, bitsOffset, 4);
    putLe(out, 40, 4); // BITMAPINFOHEADER
    putLe(out, static_cast<std::uint32_t>(width), 4);
    putLe(out, static_cast<std::uint32_t>(height), 4); // positive: bottom-up
    putLe(out, 1, 2);
    putLe(out, static_cast<std::uint32_t>(bitsPerPixel), 2);
    putLe(out, 0, 4); // BI_RGB
    putLe(out, imageSize, 4);
    putLe(out, 2835, 4); // 72 dots per inch
    putLe(out, 2835, 4);
    putLe(out, static_cast<std::uint32_t>(paletteEntries), 4);
    putLe(out, 0, 4);
    return out;
}

} // namespace

std::vector<std::uint8_t> encodeColourBmp(int width, int height, const std::vector<std::uint8_t>& rgb) {
    std::vector<std::uint8_t> out = headers(width, height, 24, 0);
    const int stride = rowStride(width, 24);
    for (int row = height - 1; row >= 0; --row) {
        for (int x = 0; x < width; ++x) {
            const std::size_t at = static_cast<std::size_t>((row * width + x) * 3);
            out.push_back(rgb[at + 2]);
            out.push_back(rgb[at + 1]);
            out.push_back(rgb[at]);
        }
        out.resize(out.size() + static_cast<std::size_t>(stride - width * 3), 0);
    }
    return out;
}

std::vector<std::uint8_t> encodeMonochromeBmp(int width, int height, const std::vector<bool>& white) {
    std::vector<std::uint8_t> out = headers(width, height, 1, 2);
    putLe(out, 0x000000, 4);
    putLe(out, 0xFFFFFF, 4);
    const int stride = rowStride(width, 1);
    for (int row = height - 1; row >= 0; --row) {
        std::vector<std::uint8_t> bits(static_cast<std::size_t>(stride), 0);
        for (int x = 0; x < width; ++x) {
            if (white[static_cast<std::size_t>(row * width + x)]) {
                bits[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
            }
        }
        out.insert(out.end(), bits.begin(), bits.end());
    }
    return out;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}
