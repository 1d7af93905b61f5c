// Paints the editor's bitmaps and writes them as BMP files into the folder
// given, resources/ when they change. The same program always writes the
// same bytes, so a test can compare its output with the committed files.
#include <cstdio>
#include <string>

#include "bmp_file.h"
#include "marks.h"
#include "panel.h"

namespace {

bool writeMonochrome(const std::string& path, const MonochromeMark& mark) {
    return writeFile(path, encodeMonochromeBmp(mark.size, mark.size, mark.white));
}

bool writeColour(const std::string& path, const ColourMark& mark) {
    return writeFile(path, encodeColourBmp(mark.size, mark.size, mark.rgb));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    const Canvas panel = paintPanel();
    const bool written = writeFile(folder + "panel.bmp", encodeColourBmp(panel.width(), panel.height(), panel.rgbBytes())) &&
                         writeMonochrome(folder + "target_mark.bmp", targetMarkImage()) &&
                         writeMonochrome(folder + "target_mask.bmp", targetMarkMask()) &&
                         writeMonochrome(folder + "point_mark.bmp", pointMarkImage()) &&
                         writeMonochrome(folder + "mark_mask.bmp", pointMarkMask()) &&
                         writeColour(folder + "knob_mark_active.bmp", knobMarkActive()) &&
                         writeColour(folder + "knob_mark_idle.bmp", knobMarkIdle());
    if (!written) {
        std::fprintf(stderr, "%s: cannot write the bitmaps into %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
