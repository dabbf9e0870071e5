#include "canvas.hpp"

#include <algorithm>
#include <cmath>

namespace artgen {

namespace {

constexpr int kSamplesPerAxis = 8;

std::uint8_t toByte(double v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); }

}  // namespace

Rgba rgb(int r, int g, int b, double alpha) { return {r / 255.0, g / 255.0, b / 255.0, alpha}; }

Rgba mix(Rgba from, Rgba to, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto lerp = [t](double a, double b) { return a + (b - a) * t; };
    return {lerp(from.r, to.r), lerp(from.g, to.g), lerp(from.b, to.b), lerp(from.a, to.a)};
}

Paint solid(Rgba colour) {
    return [colour](Vec2) { return colour; };
}

Paint linearGradient(Vec2 from, Rgba fromColour, Vec2 to, Rgba toColour) {
    const Vec2 axis = to - from;
    const double axisLengthSquared = dot(axis, axis);
    return [=](Vec2 p) { return mix(fromColour, toColour, dot(p - from, axis) / axisLengthSquared); };
}

Paint radialGradient(Vec2 centre, double radius, Rgba centreColour, Rgba edgeColour) {
    return [=](Vec2 p) { return mix(centreColour, edgeColour, length(p - centre) / radius); };
}

Canvas::Canvas(int width, int height, Rgba background, double unitScale)
    : width_(width),
      height_(height),
      unitScale_(unitScale),
      premultiplied_(static_cast<std::size_t>(width * height),
                     Rgba{background.r * background.a, background.g * background.a, background.b * background.a,
                          background.a}) {}

double Canvas::coverage(const Shape& shape, int x, int y) const {
    int inside = 0;
    for (int sy = 0; sy < kSamplesPerAxis; ++sy)
        for (int sx = 0; sx < kSamplesPerAxis; ++sx)
            if (shape({(x + (sx + 0.5) / kSamplesPerAxis) / unitScale_,
                       (y + (sy + 0.5) / kSamplesPerAxis) / unitScale_}))
                ++inside;
    return static_cast<double>(inside) / (kSamplesPerAxis * kSamplesPerAxis);
}

void Canvas::fill(const Shape& shape, const Paint& paint) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const double cover = coverage(shape, x, y);
            if (cover == 0) continue;  // Untouched pixels keep their exact colour.
            const Rgba c = paint({(x + 0.5) / unitScale_, (y + 0.5) / unitScale_});
            const double alpha = c.a * cover;
            Rgba& dst = premultiplied_[static_cast<std::size_t>(y * width_ + x)];
            dst = {c.r * alpha + dst.r * (1 - alpha), c.g * alpha + dst.g * (1 - alpha),
                   c.b * alpha + dst.b * (1 - alpha), alpha + dst.a * (1 - alpha)};
        }
    }
}

void Canvas::erase(const Shape& shape) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const double keep = 1 - coverage(shape, x, y);
            Rgba& dst = premultiplied_[static_cast<std::size_t>(y * width_ + x)];
            dst = {dst.r * keep, dst.g * keep, dst.b * keep, dst.a * keep};
        }
    }
}

Pixel8 Canvas::pixel(int x, int y) const {
    const Rgba& p = premultiplied_[static_cast<std::size_t>(y * width_ + x)];
    if (p.a <= 0) return {0, 0, 0, 0};
    return {toByte(p.r / p.a), toByte(p.g / p.a), toByte(p.b / p.a), toByte(p.a)};
}

}  // namespace artgen
