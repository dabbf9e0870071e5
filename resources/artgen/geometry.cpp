#include "geometry.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace artgen {

double dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }

double length(Vec2 a) { return std::sqrt(dot(a, a)); }

Vec2 direction(double degrees) {
    const double radians = degrees * std::numbers::pi / 180.0;
    return {std::cos(radians), std::sin(radians)};
}

Shape disc(Vec2 centre, double radius) {
    return [=](Vec2 p) { return length(p - centre) <= radius; };
}

Shape ring(Vec2 centre, double innerRadius, double outerRadius) {
    return [=](Vec2 p) {
        const double d = length(p - centre);
        return d >= innerRadius && d <= outerRadius;
    };
}

Shape ellipse(Vec2 centre, double radiusX, double radiusY) {
    return [=](Vec2 p) {
        const Vec2 d = p - centre;
        return (d.x * d.x) / (radiusX * radiusX) + (d.y * d.y) / (radiusY * radiusY) <= 1.0;
    };
}

Shape rect(double left, double top, double right, double bottom) {
    return [=](Vec2 p) { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; };
}

Shape roundedRect(double left, double top, double right, double bottom, double radius) {
    return [=](Vec2 p) {
        // Distance from the inner rectangle whose grown outline is the rounded one.
        const double dx = std::max({left + radius - p.x, 0.0, p.x - (right - radius)});
        const double dy = std::max({top + radius - p.y, 0.0, p.y - (bottom - radius)});
        return dx * dx + dy * dy <= radius * radius;
    };
}

Shape polygon(std::vector<Vec2> corners) {
    return [corners = std::move(corners)](Vec2 p) {
        // Even-odd rule by counting edge crossings of a ray to the right.
        bool inside = false;
        for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
            const Vec2 a = corners[i];
            const Vec2 b = corners[j];
            if ((a.y > p.y) != (b.y > p.y)) {
                const double crossX = a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y);
                if (p.x < crossX) inside = !inside;
            }
        }
        return inside;
    };
}

static double distanceToSegment(Vec2 p, Vec2 a, Vec2 b) {
    const Vec2 ab = b - a;
    const double t = std::clamp(dot(p - a, ab) / dot(ab, ab), 0.0, 1.0);
    return length(p - (a + ab * t));
}

Shape stroke(std::vector<Vec2> points, double width) {
    return [points = std::move(points), half = width / 2](Vec2 p) {
        for (std::size_t i = 1; i < points.size(); ++i)
            if (distanceToSegment(p, points[i - 1], points[i]) <= half) return true;
        return false;
    };
}

Shape arcBand(Vec2 centre, double innerRadius, double outerRadius, double startDegrees, double sweepDegrees) {
    return [=](Vec2 p) {
        const Vec2 d = p - centre;
        const double r = length(d);
        if (r < innerRadius || r > outerRadius) return false;
        const double angle = std::atan2(d.y, d.x) * 180.0 / std::numbers::pi;
        const double fromStart = std::fmod(std::fmod(angle - startDegrees, 360.0) + 360.0, 360.0);
        return fromStart <= sweepDegrees;
    };
}

Shape unite(Shape a, Shape b) {
    return [=](Vec2 p) { return a(p) || b(p); };
}

Shape subtract(Shape a, Shape b) {
    return [=](Vec2 p) { return a(p) && !b(p); };
}

Shape intersect(Shape a, Shape b) {
    return [=](Vec2 p) { return a(p) && b(p); };
}

Shape moved(Shape shape, Vec2 offset) {
    return [=](Vec2 p) { return shape(p - offset); };
}

Shape mapped(Shape shape, std::function<Vec2(Vec2)> imageToShape) {
    return [=](Vec2 p) { return shape(imageToShape(p)); };
}

// Sample offsets on two circles; enough for the one- or two-pixel outlines used here.
static std::vector<Vec2> neighbourhood(double radius) {
    std::vector<Vec2> offsets;
    for (int i = 0; i < 16; ++i) offsets.push_back(direction(i * 22.5) * radius);
    for (int i = 0; i < 8; ++i) offsets.push_back(direction(i * 45.0 + 22.5) * (radius / 2));
    return offsets;
}

Shape shrunk(Shape shape, double radius) {
    return [shape, offsets = neighbourhood(radius)](Vec2 p) {
        if (!shape(p)) return false;
        return std::all_of(offsets.begin(), offsets.end(), [&](Vec2 o) { return shape(p + o); });
    };
}

Shape grown(Shape shape, double radius) {
    return [shape, offsets = neighbourhood(radius)](Vec2 p) {
        if (shape(p)) return true;
        return std::any_of(offsets.begin(), offsets.end(), [&](Vec2 o) { return shape(p + o); });
    };
}

}  // namespace artgen
