#include "panel.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "editor/control_layout.h"
#include "lettering.h"
#include "pixel_font.h"
#include "strokes.h"

namespace {

constexpr Colour kFrameTop = rgb(206, 208, 212);
constexpr Colour kFrameBottom = rgb(170, 173, 178);
constexpr Colour kBodyTop = rgb(84, 88, 97);
constexpr Colour kBodyBottom = rgb(62, 65, 73);
constexpr Colour kPadTop = rgb(20, 40, 82);
constexpr Colour kPadBottom = rgb(10, 22, 50);
constexpr Colour kPadLine = rgb(70, 110, 175);
constexpr Colour kPadLettering = rgb(96, 140, 210);
constexpr Colour kOlive = rgb(128, 130, 52);
constexpr Colour kLightBar = rgb(184, 187, 192);
constexpr Colour kDarkBar = rgb(38, 40, 45);
constexpr Colour kDisplay = rgb(20, 26, 22);
constexpr Colour kDisplayGlow = rgb(58, 84, 62);
constexpr Colour kLabel = rgb(222, 224, 228);
constexpr Colour kKnobRim = rgb(0, 0, 0);
constexpr Colour kKnobLight = rgb(96, 97, 102);
constexpr Colour kKnobShade = rgb(42, 42, 46);
constexpr Colour kKnobGroove = rgb(26, 26, 28);

constexpr int kColumnBottom = 410;
constexpr int kPadBottomRow = 203;
constexpr std::string_view kSectionNames[kColumnCount] = {"osc", "fx", "lfo"};

ControlRect rectOf(int column, int templateIndex) { return controlRects[column * kControlsPerColumn + templateIndex]; }

void paintPadBackground(Canvas& canvas, int left, int top, int right, int bottom) {
    canvas.fillVerticalGradient(left, top, right, bottom, kPadTop, kPadBottom);
    // Sunken: shadow along the top and left, a faint light edge below and right.
    canvas.bevel(left, top, right, bottom, rgb(6, 12, 28), rgb(52, 78, 124));
}

// A pad's faint circles and cross, clipped to the pad by painting onto a
// canvas of the pad's own size.
void paintPadGuides(Canvas& canvas, int left, int top, int right, int bottom, double ringSpacing) {
    Canvas pad(right - left + 1, bottom - top + 1, rgb(0, 0, 0));
    for (int y = 0; y < pad.height(); ++y) {
        for (int x = 0; x < pad.width(); ++x) {
            pad.set(x, y, canvas.at(left + x, top + y));
        }
    }
    const Point centre{pad.width() / 2.0, pad.height() / 2.0};
    for (double radius = ringSpacing; radius < pad.width() + pad.height(); radius += ringSpacing) {
        paintRing(pad, centre, radius, 1.0, kPadLine, 0.22);
    }
    for (int x = 1; x < pad.width() - 1; ++x) {
        pad.blend(x, int(centre.y), kPadLine, 0.16);
    }
    for (int y = 1; y < pad.height() - 1; ++y) {
        pad.blend(int(centre.x), y, kPadLine, 0.16);
    }
    for (int y = 1; y < pad.height() - 1; ++y) {
        for (int x = 1; x < pad.width() - 1; ++x) {
            canvas.set(left + x, top + y, pad.at(x, y));
        }
    }
}

void paintXyPad(Canvas& canvas, int column) {
    const int left = columnEdge(column);
    const int top = controlTemplates[kXyPadTemplate].rect.y;
    const int right = left + kColumnWidth - 1;
    paintPadBackground(canvas, left, top, right, kPadBottomRow);
    paintPadGuides(canvas, left, top, right, kPadBottomRow, 26.0);

    // As large as fits with a margin: the widest name, osc, sets the size.
    constexpr double kLargestXHeight = 46.0;
    constexpr double kWidestLettering = 116.0;
    const std::string_view name = kSectionNames[column];
    const double xHeight =
        std::min(kLargestXHeight, kLargestXHeight * kWidestLettering / sectionLetteringWidth(name, kLargestXHeight));
    const double width = sectionLetteringWidth(name, xHeight);
    const double centreY = (top + kPadBottomRow + 1) / 2.0;
    paintStrokes(canvas, sectionLettering(name, left + (kColumnWidth - width) / 2.0, centreY - xHeight / 2.0 + 6.0,
                                          xHeight),
                 xHeight / 5.0, kPadLettering, 0.30);
}

void paintModulationPad(Canvas& canvas, int column) {
    const ControlRect pad = rectOf(column, kModulationPadTemplate);
    // The drawn area is a little larger than the control, whose edges do not hit.
    const int right = pad.x + 62;
    const int bottom = pad.y + 62;
    paintPadBackground(canvas, pad.x, pad.y, right, bottom);
    paintPadGuides(canvas, pad.x, pad.y, right, bottom, 15.0);
}

// An olive square, a bar and a dark display, as on the hardware this panel
// recalls; decoration only.
void paintStrip(Canvas& canvas, int column, int top, Colour bar) {
    const int left = columnEdge(column);
    const int bottom = top + 13;
    canvas.fillRect(left + 4, top, left + 17, bottom, kOlive);
    canvas.bevel(left + 4, top, left + 17, bottom, rgb(170, 172, 96), rgb(76, 78, 24));
    canvas.fillRect(left + 22, top + 2, left + 100, bottom - 2, bar);
    canvas.bevel(left + 22, top + 2, left + 100, bottom - 2, mix(bar, rgb(255, 255, 255), 0.35),
                 mix(bar, rgb(0, 0, 0), 0.45));
    canvas.fillRect(left + 105, top, left + 155, bottom, kDisplay);
    canvas.bevel(left + 105, top, left + 155, bottom, rgb(8, 10, 8), rgb(110, 114, 122));
    for (int x = left + 108; x <= left + 152; x += 4) {
        canvas.fillRect(x, top + 4, x + 1, bottom - 4, kDisplayGlow);
    }
}

// A dark grey disc with a black rim filling the 27 x 27 rectangle, lit from
// the upper left, with the groove its mark travels in (radius 8 pixels,
// clockwise from the lower left to the lower right).
void paintKnob(Canvas& canvas, const ControlRect& rect) {
    const Point centre{rect.x + rect.width / 2.0, rect.y + rect.height / 2.0};
    paintDisc(canvas, centre, rect.width / 2.0, kKnobRim);
    Canvas face(rect.width, rect.height, rgb(0, 0, 0));
    for (int y = 0; y < rect.height; ++y) {
        for (int x = 0; x < rect.width; ++x) {
            const double diagonal = (x + y) / double(rect.width + rect.height - 2);
            face.set(x, y, mix(kKnobLight, kKnobShade, diagonal));
        }
    }
    const double faceRadius = rect.width / 2.0 - 1.6;
    for (int y = 0; y < rect.height; ++y) {
        for (int x = 0; x < rect.width; ++x) {
            const double distance = std::hypot(x + 0.5 - rect.width / 2.0, y + 0.5 - rect.height / 2.0);
            canvas.blend(rect.x + x, rect.y + y, face.at(x, y), std::clamp(faceRadius - distance + 0.5, 0.0, 1.0));
        }
    }
    StrokeShape groove;
    groove.arcs.push_back({centre, 8.0, 126.0, 414.0});
    paintStrokes(canvas, groove, 3.0, kKnobGroove, 0.55);
}

void paintLabelLeftOf(Canvas& canvas, const ControlRect& knob, std::string_view text) {
    paintLabel(canvas, text, knob.x - 3 - labelWidth(text), knob.y + 11, kLabel);
}

void paintLabelRightOf(Canvas& canvas, const ControlRect& knob, std::string_view text) {
    paintLabel(canvas, text, knob.x + knob.width + 3, knob.y + 11, kLabel);
}

struct KnobLabel {
    int templateIndex;
    std::string_view text;
};

constexpr KnobLabel kLabelsLeftOfKnob[] = {
    {2, "X-Ra"}, {4, "X-Ov"}, {6, "X-Dc"},  {3, "Y-Ra"},  {5, "Y-Ov"},
    {7, "Y-Dc"}, {8, "Modify1"}, {13, "X-Ra"}, {15, "X-Ov"}, {14, "Y-Ra"}, {16, "Y-Ov"},
};

void paintColumn(Canvas& canvas, int column) {
    const int left = columnEdge(column);
    const int right = left + kColumnWidth - 1;
    canvas.fillVerticalGradient(left, kPadBottomRow + 1, right, kColumnBottom, kBodyTop, kBodyBottom);
    canvas.bevel(left, kPadBottomRow + 1, right, kColumnBottom, rgb(30, 32, 36), rgb(40, 42, 48));
    paintXyPad(canvas, column);
    paintStrip(canvas, column, 207, kLightBar);
    paintStrip(canvas, column, 323, kDarkBar);
    paintModulationPad(canvas, column);
    for (int k = 0; k < kControlsPerColumn; ++k) {
        if (controlTemplates[k].knob != EditorControl::none) {
            paintKnob(canvas, rectOf(column, k));
        }
    }
    for (const KnobLabel& label : kLabelsLeftOfKnob) {
        paintLabelLeftOf(canvas, rectOf(column, label.templateIndex), label.text);
    }
    paintLabelRightOf(canvas, rectOf(column, 9), "Modify2");
}

} // namespace

Canvas paintPanel() {
    Canvas canvas(kEditorWidth, kEditorHeight, kFrameTop);
    canvas.fillVerticalGradient(0, 0, kEditorWidth - 1, kEditorHeight - 1, kFrameTop, kFrameBottom);
    canvas.bevel(0, 0, kEditorWidth - 1, kEditorHeight - 1, rgb(236, 237, 240), rgb(120, 122, 128));
    for (int column = 0; column < kColumnCount; ++column) {
        paintColumn(canvas, column);
    }
    return canvas;
}
