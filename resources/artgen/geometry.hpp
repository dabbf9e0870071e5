// Plane geometry for the rasteriser: a shape is an inside-test on image coordinates.
#pragma once

#include <functional>
#include <vector>

namespace artgen {

struct Vec2 {
    double x = 0;
    double y = 0;
};

inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(Vec2 a, double k) { return {a.x * k, a.y * k}; }
double dot(Vec2 a, Vec2 b);
double length(Vec2 a);
// Unit vector at an angle in degrees; y points down, so angles turn clockwise on screen.
Vec2 direction(double degrees);

using Shape = std::function<bool(Vec2)>;

Shape disc(Vec2 centre, double radius);
Shape ring(Vec2 centre, double innerRadius, double outerRadius);
Shape ellipse(Vec2 centre, double radiusX, double radiusY);
Shape rect(double left, double top, double right, double bottom);
Shape roundedRect(double left, double top, double right, double bottom, double radius);
Shape polygon(std::vector<Vec2> corners);
// A polyline of the given width with round joins and caps.
Shape stroke(std::vector<Vec2> points, double width);
// The part of a ring between two angles, clockwise from startDegrees.
Shape arcBand(Vec2 centre, double innerRadius, double outerRadius, double startDegrees, double sweepDegrees);

Shape unite(Shape a, Shape b);
Shape subtract(Shape a, Shape b);
Shape intersect(Shape a, Shape b);
Shape moved(Shape shape, Vec2 offset);
// Maps each image point into the shape's own coordinates before testing it.
Shape mapped(Shape shape, std::function<Vec2(Vec2)> imageToShape);
// Approximate erosion: keeps points whose whole neighbourhood of the given radius is inside.
Shape shrunk(Shape shape, double radius);
// Approximate dilation: adds every point within the given radius of the shape.
Shape grown(Shape shape, double radius);

}  // namespace artgen
