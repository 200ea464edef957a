#pragma once
// The outline of a rectangle with rounded corners, in the x-y plane, as the
// shapes' cases are cut: points with their outward normals, corner by
// corner.
#include <vector>

struct TOutlinePoint {
    double X = 0, Y = 0;    // position
    double NX = 0, NY = 0;  // outward normal
};

// The outline of |x| <= halfWidth, |y| <= halfHeight with corners of
// `radius`, each corner `steps` segments: 4 x (steps + 1) points, the
// corners at (+, +), (-, +), (-, -) and (+, -) in that order, each from the
// side before it to the side after it. The sides are the segments from one
// corner's last point to the next corner's first; the one from point
// 2 x (steps + 1) - 1 to 2 x (steps + 1) lies on x = -halfWidth.
std::vector<TOutlinePoint> RoundedOutline(double halfWidth, double halfHeight, double radius, int steps);

// The index of the outline's first point on the side x = -halfWidth.
inline int LeftSideStart(int steps)
{
    return 2 * (steps + 1) - 1;
}
