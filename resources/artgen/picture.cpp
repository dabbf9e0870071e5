#include "picture.hpp"

#include <cmath>
#include <initializer_list>
#include <vector>

#include "perspective.hpp"
#include "symbols.hpp"

namespace artgen {

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 128;
// The control showing the picture is narrower than it, so everything stays left of this column.
constexpr double kVisibleRight = 148;

// Model units are roughly millimetres; the console is centred on the origin.
constexpr double kHalfWidth = 72;
constexpr double kHalfHeight = 41;
constexpr double kThickness = 13;
constexpr Vec2 kScreenCentre{0, -5};

Shape bodyOutline() { return roundedRect(-kHalfWidth, -kHalfHeight, kHalfWidth, kHalfHeight, 20); }

Camera makeCamera() {
    Camera camera({.tiltDegrees = 34, .yawDegrees = -16, .rollDegrees = -9, .distance = 380});
    std::vector<Vec3> corners;
    for (double z : {-kThickness, 0.0})
        for (double x : {-kHalfWidth, kHalfWidth})
            for (double y : {-kHalfHeight, kHalfHeight}) corners.push_back({x, y, z});
    camera.fitTo(corners, 5, 10, kVisibleRight - 3, kHeight - 8);
    return camera;
}

// Shoulder buttons peek out behind the top corners.
void drawShoulders(Canvas& canvas, const Camera& camera) {
    const Shape outline = roundedRect(-kHalfWidth - 1.5, -kHalfHeight - 5, kHalfWidth + 1.5, kHalfHeight, 22);
    const Shape corners = subtract(rect(-100, -100, 100, -kHalfHeight + 14), rect(-40, -100, 40, 100));
    canvas.fill(camera.slab(-kThickness * 0.8, -kThickness * 0.15, intersect(outline, corners)), rgb(66, 66, 78));
}

void drawBody(Canvas& canvas, const Camera& camera) {
    const Shape body = bodyOutline();
    const Vec2 left = camera.project({-kHalfWidth, 0, 0});
    const Vec2 right = camera.project({kHalfWidth, 0, 0});
    canvas.fill(camera.slab(-kThickness, 0, body), linearGradient(left, rgb(72, 62, 142), right, rgb(42, 36, 92)));
    // A light bevel along the face's rim gives the edge a catch-light.
    canvas.fill(camera.onPlane(0, body), rgb(150, 142, 214));
    const Vec2 topLeft = camera.project({-kHalfWidth, -kHalfHeight, 0});
    const Vec2 bottomRight = camera.project({kHalfWidth, kHalfHeight, 0});
    canvas.fill(camera.onPlane(0, shrunk(body, 1.6)),
                linearGradient(topLeft, rgb(128, 118, 206), bottomRight, rgb(84, 74, 160)));
}

void drawScreen(Canvas& canvas, const Camera& camera) {
    const Vec2 c = kScreenCentre;
    canvas.fill(camera.onPlane(0, roundedRect(c.x - 38, c.y - 27, c.x + 38, c.y + 27, 6)), rgb(46, 46, 58));
    const Shape glass = rect(c.x - 30, c.y - 20, c.x + 30, c.y + 20);
    const Vec2 glassTop = camera.project({c.x - 30, c.y - 20, 0});
    const Vec2 glassBottom = camera.project({c.x + 30, c.y + 20, 0});
    canvas.fill(camera.onPlane(0, glass), linearGradient(glassTop, rgb(92, 110, 120), glassBottom, rgb(34, 44, 54)));
    // A soft diagonal sheen across the glass.
    const Shape sheen = polygon({{c.x - 30, c.y - 20}, {c.x - 6, c.y - 20}, {c.x - 30, c.y + 6}});
    canvas.fill(camera.onPlane(0, intersect(glass, sheen)), rgb(255, 255, 255, 0.10));
}

// A raised control: a darker flank, then its face lifted by the given height.
void drawRaised(Canvas& canvas, const Camera& camera, const Shape& outline, double height, Rgba flank,
                const Paint& face) {
    canvas.fill(camera.slab(0, height, outline), flank);
    canvas.fill(camera.onPlane(height, outline), face);
}

// Lit from the top left, like the rest of the picture.
Paint buttonFace(const Camera& camera, Vec2 centre, double height) {
    const Vec2 highlight = camera.project({centre.x - 2, centre.y - 2, height});
    return radialGradient(highlight, 7, rgb(110, 102, 170), rgb(50, 44, 96));
}

void drawControls(Canvas& canvas, const Camera& camera) {
    const Vec2 pad{-54, -4};
    const Shape cross = unite(roundedRect(pad.x - 10, pad.y - 3.4, pad.x + 10, pad.y + 3.4, 1.2),
                              roundedRect(pad.x - 3.4, pad.y - 10, pad.x + 3.4, pad.y + 10, 1.2));
    drawRaised(canvas, camera, cross, 2.2, rgb(20, 20, 26), solid(rgb(62, 62, 74)));

    for (const Vec2 button : {Vec2{47, 2}, Vec2{60, -8}})
        drawRaised(canvas, camera, disc(button, 5.6), 2.2, rgb(26, 22, 50), buttonFace(camera, button, 2.2));

    const Rgba pill = rgb(46, 44, 70);
    canvas.fill(camera.onPlane(0, roundedRect(-60, 16, -50, 19.4, 1.7)), pill);
    canvas.fill(camera.onPlane(0, roundedRect(-60, 24, -50, 27.4, 1.7)), pill);

    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            canvas.fill(camera.onPlane(0, disc({48.0 + col * 4.5, 18.0 + row * 4.5}, 1.1)), rgb(40, 34, 86));

    canvas.fill(camera.onPlane(0, disc({-46, -27}, 1.4)), rgb(120, 230, 120));  // power light
}

void drawArrows(Canvas& canvas, const Camera& camera) {
    CycleArrowsLayout layout;
    layout.centre = kScreenCentre;
    layout.radius = 15.5;
    layout.tailHalfWidth = 2.6;
    layout.bodyHalfWidth = 4.0;
    layout.headHalfWidth = 7.8;
    layout.headDegrees = 48;
    layout.gapDegrees = 26;
    layout.startDegrees = 200;
    const Shape arrows = cycleArrows(layout);
    // The arrows hover above the glass and cast a shadow onto it.
    canvas.fill(camera.onPlane(0, moved(arrows, {1.5, 2.0})), rgb(0, 0, 0, 0.25));
    const double lift = 5;
    const Vec2 topLeft = camera.project({layout.centre.x - 20, layout.centre.y - 20, lift});
    const Vec2 bottomRight = camera.project({layout.centre.x + 20, layout.centre.y + 20, lift});
    canvas.fill(camera.onPlane(lift, arrows), rgb(14, 90, 30));
    canvas.fill(camera.onPlane(lift, shrunk(arrows, 1.3)),
                linearGradient(topLeft, rgb(160, 240, 120), bottomRight, rgb(30, 160, 50)));
}

}  // namespace

Canvas consolePicture(double scale) {
    Canvas canvas(static_cast<int>(std::lround(kWidth * scale)), static_cast<int>(std::lround(kHeight * scale)),
                  Rgba{0, 0, 0, 0}, scale);
    const Camera camera = makeCamera();
    drawShoulders(canvas, camera);
    drawBody(canvas, camera);
    drawScreen(canvas, camera);
    drawControls(canvas, camera);
    drawArrows(canvas, camera);
    return canvas;
}

}  // namespace artgen
