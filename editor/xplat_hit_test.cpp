#include "xplat.h"

std::int32_t xplatHitTest(std::int32_t x, std::int32_t y, const ControlRect* table, std::int32_t count) {
    // Strict on all four sides: border pixels belong to no control, and a
    // zero-sized rectangle never matches.
    for (std::int32_t i = 0; i < count; ++i) {
        const ControlRect& r = table[i];
        if (r.x < x && x < r.x + r.width && r.y < y && y < r.y + r.height) {
            return i;
        }
    }
    return 0;
}
