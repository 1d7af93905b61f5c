#include "pixel_font.h"

#include <array>
#include <cstring>

namespace {

// Rows from the capitals' top (0) to the descender (6); '#' is ink.
struct PixelGlyph {
    char letter;
    std::array<const char*, 7> rows;
};

constexpr PixelGlyph kGlyphs[] = {
    {'M', {"#...#", "##.##", "#.#.#", "#...#", "#...#", ".....", "....."}},
    {'X', {"#.#", "#.#", ".#.", "#.#", "#.#", "...", "..."}},
    {'Y', {"#.#", "#.#", ".#.", ".#.", ".#.", "...", "..."}},
    {'R', {"##.", "#.#", "##.", "#.#", "#.#", "...", "..."}},
    {'O', {".#.", "#.#", "#.#", "#.#", ".#.", "...", "..."}},
    {'D', {"##.", "#.#", "#.#", "#.#", "##.", "...", "..."}},
    {'a', {"...", ".##", "#.#", "#.#", ".##", "...", "..."}},
    {'c', {"...", ".##", "#..", "#..", ".##", "...", "..."}},
    {'d', {"..#", ".##", "#.#", "#.#", ".##", "...", "..."}},
    {'f', {".##", ".#.", "###", ".#.", ".#.", "...", "..."}},
    {'i', {"#", ".", "#", "#", "#", ".", "."}},
    {'o', {"...", ".#.", "#.#", "#.#", ".#.", "...", "..."}},
    {'v', {"...", "#.#", "#.#", "#.#", ".#.", "...", "..."}},
    {'y', {"...", "#.#", "#.#", "#.#", ".##", "..#", "##."}},
    {'1', {".#", "##", ".#", ".#", ".#", "..", ".."}},
    {'2', {"##.", "..#", ".#.", "#..", "###", "...", "..."}},
    {'-', {"..", "..", "##", "..", "..", "..", ".."}},
};

const PixelGlyph* glyphFor(char letter) {
    for (const PixelGlyph& glyph : kGlyphs) {
        if (glyph.letter == letter) {
            return &glyph;
        }
    }
    return nullptr;
}

int glyphWidth(const PixelGlyph* glyph) { return glyph != nullptr ? int(std::strlen(glyph->rows[0])) : 2; }

} // namespace

int labelWidth(std::string_view text) {
    int width = 0;
    for (char letter : text) {
        width += glyphWidth(glyphFor(letter)) + 1;
    }
    return text.empty() ? 0 : width - 1;
}

void paintLabel(Canvas& canvas, std::string_view text, int left, int top, Colour colour) {
    int pen = left;
    for (char letter : text) {
        const PixelGlyph* glyph = glyphFor(letter);
        if (glyph != nullptr) {
            for (int row = 0; row < 7; ++row) {
                for (int column = 0; glyph->rows[row][column] != '\0'; ++column) {
                    if (glyph->rows[row][column] == '#') {
                        canvas.set(pen + column, top + row, colour);
                    }
                }
            }
        }
        pen += glyphWidth(glyph) + 1;
    }
}
