// Round-ended pen strokes (straight lines and circular arcs) painted with
// soft edges: each pixel is covered by how far its centre lies inside the pen.
#pragma once

#include <vector>

#include "canvas.h"

struct Point {
    double x;
    double y;
};

// Angles in degrees, measured on the screen: 0 points right, 90 down.
struct Arc {
    Point centre;
    double radius;
    double fromDegrees;
    double toDegrees; // greater than fromDegrees; the arc runs clockwise on screen
};

struct Line {
    Point from;
    Point to;
};

struct StrokeShape {
    std::vector<Line> lines;
    std::vector<Arc> arcs;
};

// Pixel centres within penWidth / 2 of the shape are covered; the edge fades
// over one pixel.
void paintStrokes(Canvas& canvas, const StrokeShape& shape, double penWidth, Colour colour, double opacity);

// A filled disc, soft-edged, centred anywhere (pixel centres sit at +0.5).
void paintDisc(Canvas& canvas, Point centre, double radius, Colour colour);
// A ring of the given width centred on radius.
void paintRing(Canvas& canvas, Point centre, double radius, double width, Colour colour, double opacity);
