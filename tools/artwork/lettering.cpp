#include "lettering.h"

namespace {

// Glyphs in units of the x-height: y 0 is its top, y 1 the baseline;
// ascenders reach up to y -0.55.
struct Glyph {
    char letter;
    double width; // of the ink, in x-heights
    StrokeShape shape;
};

// Space between one letter's ink and the next, in x-heights.
constexpr double kLetterGap = 0.3;

Glyph glyphFor(char letter) {
    switch (letter) {
    case 'o':
        return {letter, 1.0, {{}, {{{0.5, 0.5}, 0.5, 0.0, 360.0}}}};
    case 'c':
        return {letter, 0.85, {{}, {{{0.5, 0.5}, 0.5, 45.0, 315.0}}}};
    case 's':
        // Two bowls meeting in the middle: over the top from the middle to
        // the upper right, and round the bottom from the middle to the lower left.
        return {letter, 0.6, {{}, {{{0.3, 0.25}, 0.25, 90.0, 340.0}, {{0.3, 0.75}, 0.25, -90.0, 160.0}}}};
    case 'x':
        return {letter, 0.8, {{{{0.0, 0.0}, {0.8, 1.0}}, {{0.8, 0.0}, {0.0, 1.0}}}, {}}};
    case 'f':
        return {letter,
                0.7,
                {{{{0.25, 1.0}, {0.25, -0.3}}, {{0.0, 0.0}, {0.6, 0.0}}}, {{{0.5, -0.3}, 0.25, 180.0, 320.0}}}};
    case 'l':
        return {letter, 0.2, {{{{0.1, -0.55}, {0.1, 1.0}}}, {}}};
    default:
        return {letter, 0.5, {}};
    }
}

Point place(Point unit, double left, double top, double scale) { return {left + unit.x * scale, top + unit.y * scale}; }

} // namespace

StrokeShape sectionLettering(std::string_view name, double left, double top, double xHeight) {
    StrokeShape shape;
    double pen = left;
    for (char letter : name) {
        const Glyph glyph = glyphFor(letter);
        for (const Line& line : glyph.shape.lines) {
            shape.lines.push_back({place(line.from, pen, top, xHeight), place(line.to, pen, top, xHeight)});
        }
        for (const Arc& arc : glyph.shape.arcs) {
            shape.arcs.push_back(
                {place(arc.centre, pen, top, xHeight), arc.radius * xHeight, arc.fromDegrees, arc.toDegrees});
        }
        pen += (glyph.width + kLetterGap) * xHeight;
    }
    return shape;
}

double sectionLetteringWidth(std::string_view name, double xHeight) {
    double width = 0.0;
    for (char letter : name) {
        width += (glyphFor(letter).width + kLetterGap) * xHeight;
    }
    return name.empty() ? 0.0 : width - kLetterGap * xHeight;
}
