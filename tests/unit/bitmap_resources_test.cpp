// The bitmaps the library carries: found by identifier, decoded as GDI reads
// them, and pixel for pixel the marks the editor draws with.
#include <gtest/gtest.h>

#include <vector>

#include "editor/bitmap_resources.h"
#include "editor/dib_decoder.h"
#include "resources/bitmap_ids.h"

namespace {

Raster load(std::int32_t id) {
    const ResourceBytes bytes = findBitmapResource(id);
    Raster raster;
    EXPECT_TRUE(decodePackedDib(bytes.data, bytes.size, raster)) << "bitmap " << id;
    return raster;
}

// Rows of '#' (white) and '.' (black).
std::vector<std::uint8_t> bitsOf(std::initializer_list<const char*> rows) {
    std::vector<std::uint8_t> bits;
    for (const char* row : rows) {
        for (const char* p = row; *p != '\0'; ++p) {
            bits.push_back(*p == '#' ? 1 : 0);
        }
    }
    return bits;
}

std::vector<std::uint8_t> rgbOf(std::initializer_list<std::uint32_t> pixels) {
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t pixel : pixels) {
        bytes.insert(bytes.end(), {std::uint8_t(pixel >> 16), std::uint8_t(pixel >> 8), std::uint8_t(pixel)});
    }
    return bytes;
}

TEST(BitmapResources, PanelIsA500By420ColourBitmap) {
    const Raster panel = load(IDB_PANEL);
    EXPECT_EQ(panel.width, 500);
    EXPECT_EQ(panel.height, 420);
    EXPECT_EQ(panel.bitsPerPixel, 24);
}

TEST(BitmapResources, TargetMarkIsFourWedgesAndItsMaskTheInverse) {
    const Raster image = load(IDB_TARGET_MARK);
    const Raster mask = load(IDB_TARGET_MASK);
    ASSERT_EQ(image.bitsPerPixel, 1);
    ASSERT_EQ(mask.bitsPerPixel, 1);
    const std::vector<std::uint8_t> wedges = bitsOf({
        "....#....", "...###...", ".........", ".#.....#.", "##.....##",
        ".#.....#.", ".........", "...###...", "....#....",
    });
    EXPECT_EQ(image.bytes, wedges);
    std::vector<std::uint8_t> inverse;
    for (std::uint8_t bit : wedges) {
        inverse.push_back(bit ^ 1);
    }
    EXPECT_EQ(mask.bytes, inverse);
}

TEST(BitmapResources, PointMarkIsADiamondAndTheSharedMaskKeepsOnlyCorners) {
    EXPECT_EQ(load(IDB_POINT_MARK).bytes, bitsOf({"..#..", ".###.", "#####", ".###.", "..#.."}));
    EXPECT_EQ(load(IDB_MARK_MASK).bytes, bitsOf({"#...#", ".....", ".....", ".....", "#...#"}));
}

TEST(BitmapResources, KnobMarksAreTheBlueAndGreyBalls) {
    const Raster active = load(IDB_KNOB_MARK_ACTIVE);
    const Raster idle = load(IDB_KNOB_MARK_IDLE);
    ASSERT_EQ(active.bitsPerPixel, 24);
    EXPECT_EQ(active.bytes, rgbOf({0x000000, 0xADDEFF, 0xA7DFFF, 0x9ADAFF, 0x000000, 0xADDEFF, 0xADDEFF, 0xA7DFFF,
                                   0x9ADAFF, 0x9ADAFF, 0xA0DBFF, 0xA0DBFF, 0x97D7FF, 0x46B9FF, 0x46B9FF, 0x57BFFF,
                                   0x57BFFF, 0x15A7FF, 0x0087D9, 0x0087D9, 0x000000, 0x57BFFF, 0x15A7FF, 0x0087D9,
                                   0x000000}));
    EXPECT_EQ(idle.bytes, rgbOf({0x000000, 0x191919, 0x191919, 0x191919, 0x000000, 0x191919, 0x191919, 0x191919,
                                 0x393939, 0x5A5A5A, 0x191919, 0x292929, 0x4A4A4A, 0x6B6B6B, 0x949494, 0x393939,
                                 0x5A5A5A, 0x808080, 0xA0A0A4, 0xC6C6C6, 0x000000, 0x949494, 0xB5B5B5, 0xD6D6D6,
                                 0x000000}));
}

TEST(BitmapResources, UnknownIdentifierFindsNothing) {
    const ResourceBytes bytes = findBitmapResource(102);
    EXPECT_EQ(bytes.data, nullptr);
    EXPECT_EQ(bytes.size, 0u);
}

// A hand-made 2 x 2 monochrome bitmap stored top-down with an inverted
// palette (index 0 white), then one cut short.
TEST(BitmapDecoding, HonoursRowOrderAndPaletteAndRejectsTruncatedData) {
    std::vector<std::uint8_t> dib(40 + 8 + 8, 0);
    dib[0] = 40;
    dib[4] = 2;                    // width
    dib[8] = 0xFE;                 // height -2: rows from the top
    dib[9] = dib[10] = dib[11] = 0xFF;
    dib[12] = 1;                   // planes
    dib[14] = 1;                   // bits per pixel
    dib[40] = dib[41] = dib[42] = 0xFF; // palette 0: white
    dib[48] = 0x40;                // row 0: pixels 0, 1 -> white, black
    dib[52] = 0x80;                // row 1: black, white
    Raster raster;
    ASSERT_TRUE(decodePackedDib(dib.data(), dib.size(), raster));
    EXPECT_EQ(raster.bytes, (std::vector<std::uint8_t>{1, 0, 0, 1}));

    Raster untouched;
    EXPECT_FALSE(decodePackedDib(dib.data(), dib.size() - 1, untouched));
    EXPECT_EQ(untouched.width, 0);
    EXPECT_FALSE(decodePackedDib(dib.data(), 39, untouched));
}

} // namespace
