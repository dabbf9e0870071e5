#include "icons.hpp"

#include <array>

#include "symbols.hpp"

namespace artgen {

namespace {

constexpr int kResultDesignSize = 16;

Canvas resultCanvas(int size) {
    return Canvas(size, size, Rgba{0, 0, 0, 0}, static_cast<double>(size) / kResultDesignSize);
}

// Fills the shape with the outline colour, then its inside with the paint, leaving a rim.
void fillOutlined(Canvas& canvas, const Shape& shape, Rgba outline, const Paint& inside, double rimWidth) {
    canvas.fill(shape, outline);
    canvas.fill(shrunk(shape, rimWidth), inside);
}

void drawTick(Canvas& canvas, Vec2 offset = {}) {
    const Shape tick = moved(stroke({{3.0, 8.0}, {6.5, 11.5}, {13.0, 4.5}}, 3.6), offset);
    const Paint green = linearGradient({4, 3}, rgb(128, 222, 96), {10, 13}, rgb(30, 150, 40));
    fillOutlined(canvas, tick, rgb(16, 96, 28), green, 0.95);
}

// A warning triangle whose outer bounds are given; the exclamation mark sits on pixel columns.
struct WarningLayout {
    double left, top, right, bottom;
    double markLeft, markRight;
    double barTop, barBottom, dotTop, dotBottom;
    double cornerRadius;
};

Shape warningOutline(const WarningLayout& w) {
    return roundedTriangle({(w.left + w.right) / 2, w.top}, {w.right, w.bottom}, {w.left, w.bottom}, w.cornerRadius);
}

void drawWarning(Canvas& canvas, const WarningLayout& w) {
    const Paint yellow = linearGradient({0, w.top}, rgb(255, 236, 110), {0, w.bottom}, rgb(246, 184, 20));
    fillOutlined(canvas, warningOutline(w), rgb(160, 96, 0), yellow, 0.95);
    const Rgba ink = rgb(24, 20, 10);
    canvas.fill(rect(w.markLeft, w.barTop, w.markRight, w.barBottom), ink);
    canvas.fill(rect(w.markLeft, w.dotTop, w.markRight, w.dotBottom), ink);
}

// Curves this small blur when rasterised, so the 16-pixel arrows are placed by hand:
// '#' is solid, '+' half covered, '.' empty.
constexpr std::array<const char*, 16> kSmallArrows = {
    "................",
    "................",
    ".....+####+.....",
    "....########....",
    "...###+..+###...",
    "...+.......##...",
    ".........######.",
    "...##.....####..",
    "..####.....##...",
    ".######.........",
    "...##.......+...",
    "...###+..+###...",
    "....########....",
    ".....+####+.....",
    "................",
    "................",
};

Canvas smallAppIcon() {
    Canvas canvas(16, 16);
    const Paint green = linearGradient({3, 2}, rgb(84, 200, 72), {13, 14}, rgb(16, 118, 40));
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const char cell = kSmallArrows[static_cast<std::size_t>(y)][x];
            if (cell == '.') continue;
            const double alpha = cell == '#' ? 1.0 : 0.5;
            canvas.fill(rect(x, y, x + 1, y + 1), [&](Vec2 p) {
                Rgba c = green(p);
                c.a = alpha;
                return c;
            });
        }
    }
    return canvas;
}

}  // namespace

Canvas appIcon(int size) {
    if (size <= 16) return smallAppIcon();
    const double s = size;
    Canvas canvas(size, size);
    CycleArrowsLayout layout;
    layout.centre = {s / 2, s / 2};
    layout.radius = s * 0.30;
    layout.tailHalfWidth = s * 0.075;
    layout.bodyHalfWidth = s * 0.11;
    layout.headHalfWidth = s * 0.19;
    layout.headDegrees = 52;
    layout.gapDegrees = 30;
    layout.startDegrees = 200;
    const Paint green = linearGradient({s * 0.2, s * 0.1}, rgb(150, 230, 120), {s * 0.8, s * 0.9}, rgb(24, 140, 44));
    fillOutlined(canvas, cycleArrows(layout), rgb(12, 84, 30), green, s / 28.0);
    return canvas;
}

Canvas tickIcon(int size) {
    Canvas canvas = resultCanvas(size);
    drawTick(canvas);
    return canvas;
}

Canvas tickWithWarningIcon(int size) {
    Canvas canvas = resultCanvas(size);
    // Nudged up and left so the badge covers only the tick's corner.
    drawTick(canvas, {-1, -1});
    const WarningLayout badge{7.0, 7.5, 16.0, 16.0, 11.0, 12.0, 10.0, 13.0, 14.0, 15.0, 1.0};
    // A clear gap keeps the badge legible where it overlaps the tick.
    canvas.erase(grown(warningOutline(badge), 1.0));
    drawWarning(canvas, badge);
    return canvas;
}

Canvas warningIcon(int size) {
    Canvas canvas = resultCanvas(size);
    drawWarning(canvas, {0.0, 0.5, 16.0, 15.0, 7.0, 9.0, 4.0, 10.0, 11.0, 13.0, 1.6});
    return canvas;
}

Canvas errorIcon(int size) {
    Canvas canvas = resultCanvas(size);
    const Paint red = radialGradient({6, 5}, 9, rgb(250, 110, 96), rgb(196, 20, 12));
    fillOutlined(canvas, disc({8, 8}, 7.5), rgb(128, 8, 4), red, 0.95);
    canvas.erase(unite(stroke({{5, 5}, {11, 11}}, 2.5), stroke({{5, 11}, {11, 5}}, 2.5)));
    return canvas;
}

Canvas infoIcon(int size) {
    Canvas canvas = resultCanvas(size);
    canvas.fill(disc({8, 8}, 7.0), radialGradient({6, 5}, 10, rgb(255, 255, 255), rgb(222, 228, 238)));
    canvas.fill(ring({8, 8}, 6.5, 7.5), rgb(118, 122, 134));
    const Paint blue = linearGradient({0, 3}, rgb(60, 130, 230), {0, 13}, rgb(14, 64, 170));
    // Straight edges sit on pixel boundaries so the letter stays sharp.
    canvas.fill(disc({8, 4}, 1.3), blue);
    canvas.fill(rect(7, 6, 9, 11), blue);
    canvas.fill(rect(6, 6, 7, 7), blue);     // serif at the top
    canvas.fill(rect(6, 11, 10, 12), blue);  // foot
    return canvas;
}

}  // namespace artgen
