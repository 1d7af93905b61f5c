#include "marks.h"

namespace {

MonochromeMark fromRows(std::initializer_list<const char*> rows) {
    MonochromeMark mark{static_cast<int>(rows.size()), {}};
    for (const char* row : rows) {
        for (int x = 0; x < mark.size; ++x) {
            mark.white.push_back(row[x] == '#');
        }
    }
    return mark;
}

ColourMark fromHex(std::initializer_list<std::uint32_t> pixels) {
    ColourMark mark{5, {}};
    for (std::uint32_t pixel : pixels) {
        mark.rgb.push_back(static_cast<std::uint8_t>(pixel >> 16));
        mark.rgb.push_back(static_cast<std::uint8_t>(pixel >> 8));
        mark.rgb.push_back(static_cast<std::uint8_t>(pixel));
    }
    return mark;
}

MonochromeMark inverse(MonochromeMark mark) {
    for (std::size_t i = 0; i < mark.white.size(); ++i) {
        mark.white[i] = !mark.white[i];
    }
    return mark;
}

} // namespace

// Four small wedges pointing away from the centre pixel, which stays clear.
MonochromeMark targetMarkImage() {
    return fromRows({
        "....#....",
        "...###...",
        ".........",
        ".#.....#.",
        "##.....##",
        ".#.....#.",
        ".........",
        "...###...",
        "....#....",
    });
}

MonochromeMark targetMarkMask() { return inverse(targetMarkImage()); }

MonochromeMark pointMarkImage() {
    return fromRows({
        "..#..",
        ".###.",
        "#####",
        ".###.",
        "..#..",
    });
}

MonochromeMark pointMarkMask() {
    return fromRows({
        "#...#",
        ".....",
        ".....",
        ".....",
        "#...#",
    });
}

ColourMark knobMarkActive() {
    return fromHex({
        0x000000, 0xADDEFF, 0xA7DFFF, 0x9ADAFF, 0x000000, //
        0xADDEFF, 0xADDEFF, 0xA7DFFF, 0x9ADAFF, 0x9ADAFF, //
        0xA0DBFF, 0xA0DBFF, 0x97D7FF, 0x46B9FF, 0x46B9FF, //
        0x57BFFF, 0x57BFFF, 0x15A7FF, 0x0087D9, 0x0087D9, //
        0x000000, 0x57BFFF, 0x15A7FF, 0x0087D9, 0x000000, //
    });
}

ColourMark knobMarkIdle() {
    return fromHex({
        0x000000, 0x191919, 0x191919, 0x191919, 0x000000, //
        0x191919, 0x191919, 0x191919, 0x393939, 0x5A5A5A, //
        0x191919, 0x292929, 0x4A4A4A, 0x6B6B6B, 0x949494, //
        0x393939, 0x5A5A5A, 0x808080, 0xA0A0A4, 0xC6C6C6, //
        0x000000, 0x949494, 0xB5B5B5, 0xD6D6D6, 0x000000, //
    });
}
