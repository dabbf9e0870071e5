// Shapes shared by the icons and the picture.
#pragma once

#include "geometry.hpp"

namespace artgen {

struct CycleArrowsLayout {
    Vec2 centre;
    double radius = 0;       // of the arrows' centre line
    double tailHalfWidth = 0;
    double bodyHalfWidth = 0;  // where the shaft meets the head
    double headHalfWidth = 0;
    double headDegrees = 0;  // angular length of each head
    double gapDegrees = 0;   // between one head's tip and the next tail
    double startDegrees = 0;
};

// Two curved arrows chasing each other clockwise round a circle.
Shape cycleArrows(const CycleArrowsLayout& layout);
// A triangle with its corners rounded to the given radius, staying inside the sharp one.
Shape roundedTriangle(Vec2 a, Vec2 b, Vec2 c, double cornerRadius);

}  // namespace artgen
