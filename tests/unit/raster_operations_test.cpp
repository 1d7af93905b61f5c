// The software back end's copies against small bitmaps worked out by hand.
#include <gtest/gtest.h>

#include <climits>

#include "editor/raster.h"

namespace {

Raster colourOf(std::int32_t width, std::int32_t height, std::initializer_list<std::uint8_t> rgb) {
    Raster raster = Raster::colour(width, height);
    raster.bytes.assign(rgb);
    return raster;
}

Raster monochromeOf(std::int32_t width, std::int32_t height, std::initializer_list<std::uint8_t> bits) {
    Raster raster = Raster::monochrome(width, height);
    raster.bytes.assign(bits);
    return raster;
}

// A 2 x 2 target whose pixels differ in every channel.
Raster target2x2() {
    return colourOf(2, 2, {0x12, 0x34, 0x56, 0xF0, 0x0F, 0xAA, 0x81, 0x42, 0x24, 0xFF, 0xFF, 0xFF});
}

TEST(RasterOperations, SourceCopyReplacesAndOffsetsIntoTheSource) {
    Raster target = target2x2();
    const Raster source = colourOf(2, 1, {1, 2, 3, 4, 5, 6});
    rasterBlit(target, 0, 1, 1, 1, source, 1, 0, RasterOp::sourceCopy);
    EXPECT_EQ(target.bytes, (std::vector<std::uint8_t>{0x12, 0x34, 0x56, 0xF0, 0x0F, 0xAA, 4, 5, 6, 0xFF, 0xFF, 0xFF}));
}

TEST(RasterOperations, AndAndPaintCombineEveryChannelBitwise) {
    Raster anded = target2x2();
    const Raster source = colourOf(2, 2, {0x0F, 0xF0, 0x3C, 0x00, 0xFF, 0x81, 0x80, 0x01, 0x18, 0x55, 0xAA, 0x00});
    rasterBlit(anded, 0, 0, 2, 2, source, 0, 0, RasterOp::sourceAnd);
    EXPECT_EQ(anded.bytes,
              (std::vector<std::uint8_t>{0x02, 0x30, 0x14, 0x00, 0x0F, 0x80, 0x80, 0x00, 0x00, 0x55, 0xAA, 0x00}));

    Raster painted = target2x2();
    rasterBlit(painted, 0, 0, 2, 2, source, 0, 0, RasterOp::sourcePaint);
    EXPECT_EQ(painted.bytes,
              (std::vector<std::uint8_t>{0x1F, 0xF4, 0x7E, 0xF0, 0xFF, 0xAB, 0x81, 0x43, 0x3C, 0xFF, 0xFF, 0xFF}));
}

TEST(RasterOperations, MonochromeSourceExpandsToBlackAndWhite) {
    const Raster bits = monochromeOf(2, 2, {0, 1, 1, 0});
    Raster copied = target2x2();
    rasterBlit(copied, 0, 0, 2, 2, bits, 0, 0, RasterOp::sourceCopy);
    EXPECT_EQ(copied.bytes, (std::vector<std::uint8_t>{0, 0, 0, 255, 255, 255, 255, 255, 255, 0, 0, 0}));

    // AND with white keeps the target, with black clears it; OR the reverse.
    Raster anded = target2x2();
    rasterBlit(anded, 0, 0, 2, 2, bits, 0, 0, RasterOp::sourceAnd);
    EXPECT_EQ(anded.bytes, (std::vector<std::uint8_t>{0, 0, 0, 0xF0, 0x0F, 0xAA, 0x81, 0x42, 0x24, 0, 0, 0}));
    Raster painted = target2x2();
    rasterBlit(painted, 0, 0, 2, 2, bits, 0, 0, RasterOp::sourcePaint);
    EXPECT_EQ(painted.bytes,
              (std::vector<std::uint8_t>{0x12, 0x34, 0x56, 255, 255, 255, 255, 255, 255, 0xFF, 0xFF, 0xFF}));
}

TEST(RasterOperations, MaskThenImageShowsTheImageOnlyWhereTheMaskIsBlack) {
    Raster target = colourOf(3, 1, {10, 20, 30, 40, 50, 60, 70, 80, 90});
    const Raster mask = monochromeOf(3, 1, {1, 0, 1});
    const Raster image = colourOf(3, 1, {0, 0, 0, 200, 100, 50, 0, 0, 0});
    rasterBlit(target, 0, 0, 3, 1, mask, 0, 0, RasterOp::sourceAnd);
    rasterBlit(target, 0, 0, 3, 1, image, 0, 0, RasterOp::sourcePaint);
    EXPECT_EQ(target.bytes, (std::vector<std::uint8_t>{10, 20, 30, 200, 100, 50, 70, 80, 90}));
}

TEST(RasterOperations, CopiesAreClippedToTargetAndSource) {
    const Raster source = colourOf(2, 2, {1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4});
    // Hanging off the target's top left: only the source's bottom right lands.
    Raster target = Raster::colour(2, 2);
    rasterBlit(target, -1, -1, 2, 2, source, 0, 0, RasterOp::sourceCopy);
    EXPECT_EQ(target.bytes, (std::vector<std::uint8_t>{4, 4, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    // Asking for more than the source has copies what it has.
    target = Raster::colour(2, 2);
    rasterBlit(target, 1, 1, 5, 5, source, 0, 0, RasterOp::sourceCopy);
    EXPECT_EQ(target.bytes, (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1}));
    // A source offset outside the source reads nothing.
    target = Raster::colour(2, 2);
    rasterBlit(target, 0, 0, 2, 2, source, -1, 1, RasterOp::sourceCopy);
    EXPECT_EQ(target.bytes, (std::vector<std::uint8_t>{0, 0, 0, 3, 3, 3, 0, 0, 0, 0, 0, 0}));
}

TEST(RasterOperations, ExtremeRectanglesTouchNothing) {
    const Raster source = colourOf(1, 1, {9, 9, 9});
    Raster target = Raster::colour(2, 2);
    const std::vector<std::uint8_t> untouched = target.bytes;
    rasterBlit(target, INT_MAX, INT_MAX, INT_MAX, INT_MAX, source, 0, 0, RasterOp::sourcePaint);
    rasterBlit(target, INT_MIN, INT_MIN, INT_MAX, INT_MAX, source, 0, 0, RasterOp::sourcePaint);
    rasterBlit(target, 0, 0, -5, 1, source, 0, 0, RasterOp::sourceCopy);
    rasterBlit(target, 0, 0, 1, 1, source, INT_MIN, INT_MAX, RasterOp::sourceCopy);
    EXPECT_EQ(target.bytes, untouched);
}

} // namespace
