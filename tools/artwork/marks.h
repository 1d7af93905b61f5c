// The editor's small marks, pixel for pixel.
#pragma once

#include <cstdint>
#include <vector>

struct MonochromeMark {
    int size;
    std::vector<bool> white; // rows from the top
};

struct ColourMark {
    int size;
    std::vector<std::uint8_t> rgb; // rows from the top
};

MonochromeMark targetMarkImage();
// The exact inverse of the image: white keeps the panel.
MonochromeMark targetMarkMask();
// A white diamond, black around it.
MonochromeMark pointMarkImage();
// Shared by all 5 x 5 marks: only the four corners keep the panel.
MonochromeMark pointMarkMask();
// Blue ball of the pressed knob, grey ball of the others; corners black.
ColourMark knobMarkActive();
ColourMark knobMarkIdle();
