#include "symbols.hpp"

#include <cmath>
#include <numbers>

namespace artgen {

namespace {

double degreesFrom(Vec2 centre, Vec2 p) { return std::atan2(p.y - centre.y, p.x - centre.x) * 180.0 / std::numbers::pi; }

double wrapDegrees(double d) { return std::fmod(std::fmod(d, 360.0) + 360.0, 360.0); }

// A circular shaft whose width grows linearly from tail to head, which reads as motion.
Shape taperedArc(Vec2 centre, double radius, double startHalf, double endHalf, double startDegrees,
                 double sweepDegrees) {
    return [=](Vec2 p) {
        const double along = wrapDegrees(degreesFrom(centre, p) - startDegrees);
        if (along > sweepDegrees) return false;
        const double half = startHalf + (endHalf - startHalf) * along / sweepDegrees;
        return std::abs(length(p - centre) - radius) <= half;
    };
}

Shape arrowHead(const CycleArrowsLayout& l, double baseDegrees) {
    const Vec2 inward = l.centre + direction(baseDegrees) * (l.radius - l.headHalfWidth);
    const Vec2 outward = l.centre + direction(baseDegrees) * (l.radius + l.headHalfWidth);
    const Vec2 tip = l.centre + direction(baseDegrees + l.headDegrees) * l.radius;
    return polygon({inward, outward, tip});
}

Shape oneArrow(const CycleArrowsLayout& l, double tailDegrees) {
    const double shaftDegrees = 180.0 - l.headDegrees - l.gapDegrees;
    // The shaft reaches a hair past the head's base so no seam shows between them.
    const Shape shaft =
        taperedArc(l.centre, l.radius, l.tailHalfWidth, l.bodyHalfWidth, tailDegrees, shaftDegrees + 0.5);
    return unite(shaft, arrowHead(l, tailDegrees + shaftDegrees));
}

}  // namespace

Shape cycleArrows(const CycleArrowsLayout& layout) {
    return unite(oneArrow(layout, layout.startDegrees), oneArrow(layout, layout.startDegrees + 180.0));
}

Shape roundedTriangle(Vec2 a, Vec2 b, Vec2 c, double cornerRadius) {
    // Shrink towards the incentre by the radius, then grow back with round corners.
    const double la = length(b - c);
    const double lb = length(c - a);
    const double lc = length(a - b);
    const double perimeter = la + lb + lc;
    const Vec2 incentre = (a * la + b * lb + c * lc) * (1.0 / perimeter);
    const double area = std::abs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y)) / 2;
    const double inradius = 2 * area / perimeter;
    const double scale = (inradius - cornerRadius) / inradius;
    auto inset = [&](Vec2 p) { return incentre + (p - incentre) * scale; };
    const Vec2 ia = inset(a), ib = inset(b), ic = inset(c);
    return unite(polygon({ia, ib, ic}), stroke({ia, ib, ic, ia}, 2 * cornerRadius));
}

}  // namespace artgen
