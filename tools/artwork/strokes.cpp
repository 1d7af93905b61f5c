#include "strokes.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

double distanceToLine(Point p, const Line& line) {
    const double dx = line.to.x - line.from.x;
    const double dy = line.to.y - line.from.y;
    const double lengthSquared = dx * dx + dy * dy;
    double t = lengthSquared > 0.0 ? ((p.x - line.from.x) * dx + (p.y - line.from.y) * dy) / lengthSquared : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (line.from.x + t * dx), p.y - (line.from.y + t * dy));
}

Point onCircle(Point centre, double radius, double degrees) {
    const double radians = degrees * kPi / 180.0;
    return {centre.x + radius * std::cos(radians), centre.y + radius * std::sin(radians)};
}

double distanceToArc(Point p, const Arc& arc) {
    double degrees = std::atan2(p.y - arc.centre.y, p.x - arc.centre.x) * 180.0 / kPi;
    while (degrees < arc.fromDegrees) {
        degrees += 360.0;
    }
    if (degrees <= arc.toDegrees) {
        return std::fabs(std::hypot(p.x - arc.centre.x, p.y - arc.centre.y) - arc.radius);
    }
    const Point start = onCircle(arc.centre, arc.radius, arc.fromDegrees);
    const Point end = onCircle(arc.centre, arc.radius, arc.toDegrees);
    return std::min(std::hypot(p.x - start.x, p.y - start.y), std::hypot(p.x - end.x, p.y - end.y));
}

double coverageAt(double distanceInside) { return std::clamp(distanceInside + 0.5, 0.0, 1.0); }

} // namespace

void paintStrokes(Canvas& canvas, const StrokeShape& shape, double penWidth, Colour colour, double opacity) {
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const Point centre{x + 0.5, y + 0.5};
            double nearest = 1e9;
            for (const Line& line : shape.lines) {
                nearest = std::min(nearest, distanceToLine(centre, line));
            }
            for (const Arc& arc : shape.arcs) {
                nearest = std::min(nearest, distanceToArc(centre, arc));
            }
            canvas.blend(x, y, colour, opacity * coverageAt(penWidth / 2.0 - nearest));
        }
    }
}

void paintDisc(Canvas& canvas, Point centre, double radius, Colour colour) {
    const int left = static_cast<int>(std::floor(centre.x - radius - 1.0));
    const int top = static_cast<int>(std::floor(centre.y - radius - 1.0));
    const int right = static_cast<int>(std::ceil(centre.x + radius + 1.0));
    const int bottom = static_cast<int>(std::ceil(centre.y + radius + 1.0));
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const double distance = std::hypot(x + 0.5 - centre.x, y + 0.5 - centre.y);
            canvas.blend(x, y, colour, coverageAt(radius - distance));
        }
    }
}

void paintRing(Canvas& canvas, Point centre, double radius, double width, Colour colour, double opacity) {
    const double reach = radius + width + 1.0;
    for (int y = static_cast<int>(std::floor(centre.y - reach)); y <= static_cast<int>(std::ceil(centre.y + reach));
         ++y) {
        for (int x = static_cast<int>(std::floor(centre.x - reach));
             x <= static_cast<int>(std::ceil(centre.x + reach)); ++x) {
            const double distance = std::fabs(std::hypot(x + 0.5 - centre.x, y + 0.5 - centre.y) - radius);
            canvas.blend(x, y, colour, opacity * coverageAt(width / 2.0 - distance));
        }
    }
}
