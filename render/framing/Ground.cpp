#include "render/framing/Ground.h"

#include <algorithm>
#include <cmath>

namespace {

uint8_t Level(double value)
{
    return uint8_t(std::lround(255.0 * std::clamp(value, 0.0, 1.0)));
}

template <typename TFalloff>
std::vector<uint8_t> Levels(TFalloff falloff)
{
    std::vector<uint8_t> levels;
    for (int i = 0; i < FadeLevelCount; ++i)
        levels.push_back(Level(falloff(double(i) / (FadeLevelCount - 1))));
    return levels;
}

} // namespace

TGround GroundOf(float width, float height, float depth)
{
    const double h = std::abs(double(height));
    return {.Y = h / 2.0,
            .HalfWidth = std::abs(double(width)) / 2.0,
            .HalfDepth = std::abs(double(depth)) / 2.0,
            .ShadowReach = h / 3.0,
            .ReflectionReach = 0.4 * h};
}

double ShadowFalloff(double t)
{
    // A dark core close to the foot under a soft tail that reaches out
    // visibly almost all the way; its slope is 0 where it ends.
    const double u = 1.0 - std::clamp(t, 0.0, 1.0);
    return u * std::sqrt(u) * (0.55 + 0.45 * u * u * u * u);
}

TGroundRect ShadowRect(const TGround& ground)
{
    const double x = ground.HalfWidth + ground.ShadowReach, z = ground.HalfDepth + ground.ShadowReach;
    return {-x, x, -z, z};
}

std::vector<uint8_t> ShadowAlphaMap(const TGround& ground, int side)
{
    const TGroundRect rect = ShadowRect(ground);
    std::vector<uint8_t> alpha(size_t(side) * size_t(side));
    for (int row = 0; row < side; ++row) {
        const double z = rect.Near + (row + 0.5) / side * (rect.Far - rect.Near);
        const double dz = std::max(0.0, std::abs(z) - ground.HalfDepth);
        for (int column = 0; column < side; ++column) {
            const double x = rect.Left + (column + 0.5) / side * (rect.Right - rect.Left);
            const double dx = std::max(0.0, std::abs(x) - ground.HalfWidth);
            alpha[size_t(row) * size_t(side) + size_t(column)] =
                Level(ShadowFalloff(std::hypot(dx, dz) / ground.ShadowReach));
        }
    }
    return alpha;
}

TFadeMap FadeMap(double reach)
{
    return {(FadeLevelCount - 1.0) / FadeLevelCount / reach, 0.5 / FadeLevelCount};
}

std::vector<uint8_t> FloorFadeLevels()
{
    return Levels([](double t) { return 1.0 - t * t * (3.0 - 2.0 * t); });
}

std::vector<uint8_t> ReflectionFadeLevels(double strength)
{
    return Levels([&](double t) { return strength * (1.0 - t) * (1.0 - t); });
}
