#include "perspective.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

namespace artgen {

namespace {

double radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

// Rotates (a, b) by an angle, returning the new pair.
std::pair<double, double> rotate(double a, double b, double degrees) {
    const double c = std::cos(radians(degrees));
    const double s = std::sin(radians(degrees));
    return {a * c - b * s, a * s + b * c};
}

// The projective map taking four image points to four model points, found by solving 8 linear equations.
class Homography {
public:
    Homography(const std::array<Vec2, 4>& from, const std::array<Vec2, 4>& to) {
        std::array<std::array<double, 9>, 8> m{};
        for (int i = 0; i < 4; ++i) {
            const auto [x, y] = from[i];
            const auto [u, v] = to[i];
            m[2 * i] = {x, y, 1, 0, 0, 0, -x * u, -y * u, u};
            m[2 * i + 1] = {0, 0, 0, x, y, 1, -x * v, -y * v, v};
        }
        solve(m);
    }

    Vec2 operator()(Vec2 p) const {
        const double w = h_[6] * p.x + h_[7] * p.y + 1;
        return {(h_[0] * p.x + h_[1] * p.y + h_[2]) / w, (h_[3] * p.x + h_[4] * p.y + h_[5]) / w};
    }

private:
    void solve(std::array<std::array<double, 9>, 8>& m) {
        for (int col = 0; col < 8; ++col) {
            int pivot = col;
            for (int row = col + 1; row < 8; ++row)
                if (std::abs(m[row][col]) > std::abs(m[pivot][col])) pivot = row;
            std::swap(m[col], m[pivot]);
            for (int row = 0; row < 8; ++row) {
                if (row == col) continue;
                const double factor = m[row][col] / m[col][col];
                for (int k = col; k < 9; ++k) m[row][k] -= factor * m[col][k];
            }
        }
        for (int i = 0; i < 8; ++i) h_[i] = m[i][8] / m[i][i];
    }

    std::array<double, 8> h_{};
};

}  // namespace

Camera::Camera(Pose pose) : pose_(pose) {}

Vec2 Camera::projectUnfitted(Vec3 p) const {
    // Camera space: x right, y down, z away from the viewer; the face starts out looking at the camera.
    double x = p.x, y = p.y, z = -p.z;
    std::tie(z, y) = rotate(z, y, pose_.tiltDegrees);
    std::tie(x, z) = rotate(x, z, pose_.yawDegrees);
    std::tie(x, y) = rotate(x, y, pose_.rollDegrees);
    const double depth = z + pose_.distance;
    return {x * pose_.distance / depth, y * pose_.distance / depth};
}

Vec2 Camera::project(Vec3 p) const { return projectUnfitted(p) * scale_ + offset_; }

void Camera::fitTo(const std::vector<Vec3>& points, double left, double top, double right, double bottom) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    Vec2 low{inf, inf}, high{-inf, -inf};
    for (const Vec3& p : points) {
        const Vec2 q = projectUnfitted(p);
        low = {std::min(low.x, q.x), std::min(low.y, q.y)};
        high = {std::max(high.x, q.x), std::max(high.y, q.y)};
    }
    scale_ = std::min((right - left) / (high.x - low.x), (bottom - top) / (high.y - low.y));
    // Centre the fitted projection within the box.
    const Vec2 fittedSize = (high - low) * scale_;
    offset_ = Vec2{left + (right - left - fittedSize.x) / 2, top + (bottom - top - fittedSize.y) / 2} - low * scale_;
}

Shape Camera::onPlane(double z, Shape modelShape) const {
    const std::array<Vec2, 4> model{{{-100, -100}, {100, -100}, {100, 100}, {-100, 100}}};
    std::array<Vec2, 4> image;
    for (int i = 0; i < 4; ++i) image[i] = project({model[i].x, model[i].y, z});
    return mapped(std::move(modelShape), Homography(image, model));
}

Shape Camera::slab(double z0, double z1, const Shape& modelShape) const {
    // Enough slices that neighbouring ones overlap at the image's scale.
    const int slices = std::max(2, static_cast<int>(std::abs(z1 - z0) * scale_ * 3));
    std::vector<Shape> layers;
    for (int i = 0; i <= slices; ++i) layers.push_back(onPlane(z0 + (z1 - z0) * i / slices, modelShape));
    return [layers = std::move(layers)](Vec2 p) {
        return std::any_of(layers.begin(), layers.end(), [p](const Shape& layer) { return layer(p); });
    };
}

}  // namespace artgen
