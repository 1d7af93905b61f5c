#include "raster.h"

#include <algorithm>

Raster Raster::colour(std::int32_t width, std::int32_t height) {
    return {width, height, 24, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3)};
}

Raster Raster::monochrome(std::int32_t width, std::int32_t height) {
    return {width, height, 1, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height)};
}

namespace {

struct Span {
    std::int64_t targetX, targetY, sourceX, sourceY, width, height;
};

// Trims the copy to the part that lies inside both bitmaps; 64-bit so that
// no sum of 32-bit coordinates can overflow.
Span clip(const Raster& target, const Raster& source, Span s) {
    const auto trimStart = [](std::int64_t& a, std::int64_t& b, std::int64_t& length) {
        const std::int64_t cut = std::max<std::int64_t>({0, -a, -b});
        a += cut;
        b += cut;
        length -= cut;
    };
    trimStart(s.targetX, s.sourceX, s.width);
    trimStart(s.targetY, s.sourceY, s.height);
    s.width = std::min({s.width, target.width - s.targetX, source.width - s.sourceX});
    s.height = std::min({s.height, target.height - s.targetY, source.height - s.sourceY});
    return s;
}

std::uint8_t combine(std::uint8_t targetByte, std::uint8_t sourceByte, RasterOp op) {
    switch (op) {
    case RasterOp::sourceAnd:
        return targetByte & sourceByte;
    case RasterOp::sourcePaint:
        return targetByte | sourceByte;
    case RasterOp::sourceCopy:
        break;
    }
    return sourceByte;
}

template <typename SourceChannel>
void blend(Raster& target, const Span& s, RasterOp op, SourceChannel sourceChannel) {
    for (std::int64_t row = 0; row < s.height; ++row) {
        std::uint8_t* out = &target.bytes[static_cast<std::size_t>(((s.targetY + row) * target.width + s.targetX) * 3)];
        for (std::int64_t column = 0; column < s.width; ++column) {
            for (int channel = 0; channel < 3; ++channel, ++out) {
                *out = combine(*out, sourceChannel(s.sourceX + column, s.sourceY + row, channel), op);
            }
        }
    }
}

} // namespace

void rasterBlit(Raster& target, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                const Raster& source, std::int32_t srcX, std::int32_t srcY, RasterOp op) {
    const Span s = clip(target, source, {x, y, srcX, srcY, w, h});
    if (s.width <= 0 || s.height <= 0) {
        return;
    }
    if (source.bitsPerPixel == 1) {
        blend(target, s, op, [&](std::int64_t sx, std::int64_t sy, int) -> std::uint8_t {
            return source.bytes[static_cast<std::size_t>(sy * source.width + sx)] != 0 ? 0xFF : 0x00;
        });
    } else if (op == RasterOp::sourceCopy) {
        // The whole-panel copy of every repaint: row by row.
        for (std::int64_t row = 0; row < s.height; ++row) {
            const auto from = source.bytes.begin() + ((s.sourceY + row) * source.width + s.sourceX) * 3;
            std::copy(from, from + s.width * 3,
                      target.bytes.begin() + ((s.targetY + row) * target.width + s.targetX) * 3);
        }
    } else {
        blend(target, s, op, [&](std::int64_t sx, std::int64_t sy, int channel) {
            return source.bytes[static_cast<std::size_t>((sy * source.width + sx) * 3 + channel)];
        });
    }
}
