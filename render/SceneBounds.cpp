#include "render/SceneBounds.h"

#include "view/ViewCamera.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// A convex polygon cut by the half-space where keep(p) >= 0.
template <typename TKeep>
std::vector<TEyePoint> Clip(const std::vector<TEyePoint>& polygon, TKeep keep)
{
    std::vector<TEyePoint> kept;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const TEyePoint& a = polygon[i];
        const TEyePoint& b = polygon[(i + 1) % polygon.size()];
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
TEyePoint TurnX(const TEyePoint& p, double degrees)
{
    const double a = degrees * std::numbers::pi / 180.0, c = std::cos(a), s = std::sin(a);
    return {p.X, c * p.Y - s * p.Z, s * p.Y + c * p.Z};
}

TEyePoint TurnY(const TEyePoint& p, double degrees)
{
    const double a = degrees * std::numbers::pi / 180.0, c = std::cos(a), s = std::sin(a);
    return {c * p.X + s * p.Z, p.Y, -s * p.X + c * p.Z};
}

void Include(std::optional<TViewRect>& bounds, const std::vector<TEyePoint>& points)
{
    for (const TEyePoint& p : points) {
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
std::vector<TEyePoint> Project(const std::vector<TEyePoint>& polygon, bool toWindowView)
{
    std::vector<TEyePoint> shown = Clip(polygon, [](const TEyePoint& p) { return -p.Z - ViewNear; });
    for (TEyePoint& p : shown)
        p = {p.X / -p.Z, p.Y / -p.Z, -1.0};
    if (toWindowView) {
        const TViewRect v = WindowViewRect();
        shown = Clip(shown, [&](const TEyePoint& p) { return p.X - v.Left; });
        shown = Clip(shown, [&](const TEyePoint& p) { return v.Right - p.X; });
        shown = Clip(shown, [&](const TEyePoint& p) { return p.Y - v.Bottom; });
        shown = Clip(shown, [&](const TEyePoint& p) { return v.Top - p.Y; });
    }
    return shown;
}

} // namespace

TEyePoint EyePoint(double x, double y, double z, float xRotation, float yRotation)
{
    const TEyePoint turned = TurnX(TurnX(TurnY({x, y, z}, yRotation), xRotation), BoxHalfTurn);
    return {turned.X + BoxCentreX, turned.Y + BoxCentreY, turned.Z + BoxCentreZ};
}

TSceneBounds SceneBounds(const std::vector<TBoxQuad>& quads, float xRotation, float yRotation, bool showBackground)
{
    TSceneBounds bounds;
    for (const TBoxQuad& quad : quads) {
        std::vector<TEyePoint> polygon;
        for (const TBoxVertex& v : quad.Vertices)
            polygon.push_back(EyePoint(v.X, v.Y, v.Z, xRotation, yRotation));
        const bool floor = quad.Face == TBoxFace::Floor;
        Include(floor ? bounds.Surroundings : bounds.Box, Project(polygon, floor));
    }
    if (showBackground) {
        // The billboard faces the eye whatever the box's turn.
        const double x = BoxCentreX + BackgroundOffsetX, y = BoxCentreY, z = BoxCentreZ + BackgroundOffsetZ;
        const double half = BackgroundHalfSide;
        Include(bounds.Surroundings, Project({{x - half, y - half, z}, {x + half, y - half, z},
                                              {x + half, y + half, z}, {x - half, y + half, z}},
                                             true));
    }
    return bounds;
}
