#include "render/shapes/RoundedOutline.h"

#include <cmath>
#include <numbers>

std::vector<TOutlinePoint> RoundedOutline(double halfWidth, double halfHeight, double radius, int steps)
{
    const double centres[4][2] = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
    std::vector<TOutlinePoint> outline;
    for (int corner = 0; corner < 4; ++corner)
        for (int step = 0; step <= steps; ++step) {
            const double angle = (corner + double(step) / steps) * std::numbers::pi / 2.0;
            const double nx = std::cos(angle), ny = std::sin(angle);
            outline.push_back({centres[corner][0] * (halfWidth - radius) + radius * nx,
                               centres[corner][1] * (halfHeight - radius) + radius * ny, nx, ny});
        }
    return outline;
}
