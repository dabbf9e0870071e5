// A pinhole camera that draws flat model shapes lying on horizontal planes of a 3-D object.
#pragma once

#include <vector>

#include "geometry.hpp"

namespace artgen {

// Model space: x to the right, y towards the viewer's bottom edge, z up out of the face.
struct Vec3 {
    double x = 0;
    double y = 0;
    double z = 0;
};

class Camera {
public:
    struct Pose {
        double tiltDegrees = 0;  // top edge leans away from the viewer
        double yawDegrees = 0;   // turns about the vertical axis
        double rollDegrees = 0;  // turns within the picture
        double distance = 0;     // from the camera to the model's origin
    };

    explicit Camera(Pose pose);

    // Scales and shifts the projection so the given points just fit the given box.
    void fitTo(const std::vector<Vec3>& points, double left, double top, double right, double bottom);
    Vec2 project(Vec3 p) const;
    // The image of a model shape drawn on the plane at height z.
    Shape onPlane(double z, Shape modelShape) const;
    // The image of a shape swept from height z0 to z1, i.e. a solid slab of that outline.
    Shape slab(double z0, double z1, const Shape& modelShape) const;

private:
    Vec2 projectUnfitted(Vec3 p) const;

    Pose pose_;
    double scale_ = 1;
    Vec2 offset_;
};

}  // namespace artgen
