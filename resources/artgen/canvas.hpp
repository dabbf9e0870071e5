// A small RGBA raster that fills shapes with anti-aliased edges by supersampling.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry.hpp"

namespace artgen {

// Straight (not premultiplied) colour, each channel 0..1.
struct Rgba {
    double r = 0;
    double g = 0;
    double b = 0;
    double a = 1;
};

Rgba rgb(int r, int g, int b, double alpha = 1.0);
Rgba mix(Rgba from, Rgba to, double t);

using Paint = std::function<Rgba(Vec2)>;

Paint solid(Rgba colour);
// Blends from one colour at `from` to another at `to`, constant across the line between them.
Paint linearGradient(Vec2 from, Rgba fromColour, Vec2 to, Rgba toColour);
Paint radialGradient(Vec2 centre, double radius, Rgba centreColour, Rgba edgeColour);

struct Pixel8 {
    std::uint8_t r, g, b, a;
};

// Shapes and paints are given in design units; a canvas drawn at a larger scale has `unitScale` pixels per
// unit, so one drawing serves every size.
class Canvas {
public:
    Canvas(int width, int height, Rgba background = {0, 0, 0, 0}, double unitScale = 1.0);

    int width() const { return width_; }
    int height() const { return height_; }

    void fill(const Shape& shape, const Paint& paint);
    void fill(const Shape& shape, Rgba colour) { fill(shape, solid(colour)); }
    // Cuts the shape out, leaving transparency behind it.
    void erase(const Shape& shape);
    Pixel8 pixel(int x, int y) const;

private:
    double coverage(const Shape& shape, int x, int y) const;

    int width_;
    int height_;
    double unitScale_;
    std::vector<Rgba> premultiplied_;
};

}  // namespace artgen
