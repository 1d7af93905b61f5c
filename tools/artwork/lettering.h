// The large lower-case section names on the XY pads, drawn as pen strokes.
#pragma once

#include <string_view>

#include "strokes.h"

// The name's strokes with the top of its x-height at top, its left edge at
// left, and x-height xHeight pixels. Knows the letters c, f, l, o, s and x.
StrokeShape sectionLettering(std::string_view name, double left, double top, double xHeight);

// Width in pixels of the same name, pen excluded.
double sectionLetteringWidth(std::string_view name, double xHeight);
