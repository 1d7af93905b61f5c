// A tiny hand-drawn pixel font for the knob labels: capitals five pixels
// high, lower case four, one descender row, crisp at the panel's scale.
#pragma once

#include <string_view>

#include "canvas.h"

// Paints text with its capitals' top row at top.
void paintLabel(Canvas& canvas, std::string_view text, int left, int top, Colour colour);
int labelWidth(std::string_view text);
