// Which control a pointer position picks: strictly inside, lowest index first.
#include <gtest/gtest.h>

#include "editor/control_layout.h"
#include "editor/xplat.h"

namespace {

TEST(ControlHitTest, EdgesBelongToNoRectangle) {
    const ControlRect table[] = {{0, 0, 0, 0}, {10, 20, 5, 4}};
    EXPECT_EQ(xplatHitTest(11, 21, table, 2), 1);
    EXPECT_EQ(xplatHitTest(14, 23, table, 2), 1);
    EXPECT_EQ(xplatHitTest(10, 22, table, 2), 0); // left edge
    EXPECT_EQ(xplatHitTest(12, 20, table, 2), 0); // top edge
    EXPECT_EQ(xplatHitTest(15, 22, table, 2), 0); // x + width
    EXPECT_EQ(xplatHitTest(12, 24, table, 2), 0); // y + height
}

TEST(ControlHitTest, OverlapsGoToTheLowestIndexAndEmptyRectanglesNeverMatch) {
    const ControlRect table[] = {{0, 0, 0, 0}, {5, 5, 0, 0}, {0, 0, 10, 10}, {2, 2, 10, 10}};
    EXPECT_EQ(xplatHitTest(5, 5, table, 4), 2);
    EXPECT_EQ(xplatHitTest(11, 11, table, 4), 3);
}

TEST(ControlHitTest, PanelBordersAndPads) {
    const auto hit = [](std::int32_t x, std::int32_t y) {
        return xplatHitTest(x, y, controlRects.data(), kControlCount);
    };
    EXPECT_EQ(hit(6, 6), 1);       // column 0's XY pad
    EXPECT_EQ(hit(5, 100), 0);     // its left border
    EXPECT_EQ(hit(165, 100), 0);   // its right border
    EXPECT_EQ(hit(200, 100), 24);  // column 1's XY pad
    EXPECT_EQ(hit(361, 372), 58);  // column 2's modulation pad
    EXPECT_EQ(hit(5 + 25 + 13, 258 + 13), 2); // column 0's X rate knob
    EXPECT_EQ(hit(400, 415), 0);   // below every control
}

TEST(ControlLayout, ColumnsRepeatTheTemplateAndKnobsDriveTheirSectionsParameters) {
    EXPECT_EQ(controlRects[23 + 1].x, 167);
    EXPECT_EQ(controlRects[46 + 12].x, 331);
    EXPECT_EQ(controlRects[46 + 12].y, 342);
    // Column 1 (F) adds 30 to the section offset; column 2 (L) adds 60.
    EXPECT_EQ(controlParams[23 + 2], 45);
    EXPECT_EQ(controlParams[46 + 16], 69);
    std::int32_t knobs = 0;
    for (std::int32_t param : controlParams) {
        knobs += param != -1 ? 1 : 0;
    }
    EXPECT_EQ(knobs, 36);
    EXPECT_EQ(controlParams[0], -1);
    EXPECT_EQ(controlParams[1], -1);  // the XY pad writes its parameters itself
    EXPECT_EQ(controlParams[12], -1); // so does the modulation pad
}

} // namespace
