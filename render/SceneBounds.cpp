#include "render/SceneBounds.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

struct TPoint {
    double X, Y, Z;
};

// A convex polygon cut by the half-space where keep(p) >= 0.
template <typename TKeep>
std::vector<TPoint> Clip(const std::vector<TPoint>& polygon, TKeep keep)
{
    std::vector<TPoint> kept;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const TPoint& a = polygon[i];
        const TPoint& b = polygon[(i + 1) % polygon.size()];
        const double ka = keep(a), kb = keep(b);
        if (ka >= 0.0)
            kept.push_back(a);
        if ((ka >= 0.0) != (kb >= 0.0)) {
            const double t = ka / (ka - kb);
            kept.push_back({a.X + t * (b.X - a.X), a.Y + t * (b.Y - a.Y), a.Z + t * (b.Z - a.Z)});
        }
    }
    return kept;
}

// The same turns as glRotatef about x and about y.
TPoint TurnX(const TPoint& p, double degrees)
{
    const double a = degrees * std::numbers::pi / 180.0, c = std::cos(a), s = std::sin(a);
    return {p.X, c * p.Y - s * p.Z, s * p.Y + c * p.Z};
}

TPoint TurnY(const TPoint& p, double degrees)
{
    const double a = degrees * std::numbers::pi / 180.0, c = std::cos(a), s = std::sin(a);
    return {c * p.X + s * p.Z, p.Y, -s * p.X + c * p.Z};
}

void Include(std::optional<TViewRect>& bounds, const std::vector<TPoint>& points)
{
    for (const TPoint& p : points) {
        if (!bounds)
            bounds = TViewRect{p.X, p.X, p.Y, p.Y};
        bounds->Left = std::min(bounds->Left, p.X);
        bounds->Right = std::max(bounds->Right, p.X);
        bounds->Bottom = std::min(bounds->Bottom, p.Y);
        bounds->Top = std::max(bounds->Top, p.Y);
    }
}

// An eye-space polygon onto the view plane (as X and Y), cut at the near
// plane, and also to the window's view when asked.
std::vector<TPoint> Project(const std::vector<TPoint>& polygon, bool toWindowView)
{
    std::vector<TPoint> shown = Clip(polygon, [](const TPoint& p) { return -p.Z - ViewNear; });
    for (TPoint& p : shown)
        p = {p.X / -p.Z, p.Y / -p.Z, -1.0};
    if (toWindowView) {
        const TViewRect v = WindowViewRect();
        shown = Clip(shown, [&](const TPoint& p) { return p.X - v.Left; });
        shown = Clip(shown, [&](const TPoint& p) { return v.Right - p.X; });
        shown = Clip(shown, [&](const TPoint& p) { return p.Y - v.Bottom; });
        shown = Clip(shown, [&](const TPoint& p) { return v.Top - p.Y; });
    }
    return shown;
}

} // namespace

TSceneBounds SceneBounds(const std::vector<TBoxQuad>& quads, float xRotation, float yRotation, bool showBackground)
{
    TSceneBounds bounds;
    for (const TBoxQuad& quad : quads) {
        std::vector<TPoint> polygon;
        for (const TBoxVertex& v : quad.Vertices) {
            const TPoint turned = TurnX(TurnX(TurnY({v.X, v.Y, v.Z}, yRotation), xRotation), 180.0);
            polygon.push_back({turned.X - 10.0, turned.Y, turned.Z - 50.0});
        }
        const bool floor = quad.Face == TBoxFace::Floor;
        Include(floor ? bounds.Surroundings : bounds.Box, Project(polygon, floor));
    }
    if (showBackground) {
        const double x = -20.0, z = -65.0, half = 35.0;
        Include(bounds.Surroundings, Project({{x - half, -half, z}, {x + half, -half, z}, {x + half, half, z},
                                              {x - half, half, z}},
                                             true));
    }
    return bounds;
}
