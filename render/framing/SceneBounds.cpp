#include "render/framing/SceneBounds.h"

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

// Adds a polygon of the box's frame, cut at the near plane and projected.
void Include(std::optional<TViewRect>& bounds, const std::vector<TEyePoint>& boxPolygon, float xRotation,
             float yRotation)
{
    std::vector<TEyePoint> polygon;
    for (const TEyePoint& p : boxPolygon)
        polygon.push_back(EyePoint(p.X, p.Y, p.Z, xRotation, yRotation));
    for (const TEyePoint& p : Clip(polygon, [](const TEyePoint& e) { return -e.Z - ViewNear; })) {
        const double x = p.X / -p.Z, y = p.Y / -p.Z;
        if (!bounds)
            bounds = TViewRect{x, x, y, y};
        bounds->Left = std::min(bounds->Left, x);
        bounds->Right = std::max(bounds->Right, x);
        bounds->Bottom = std::min(bounds->Bottom, y);
        bounds->Top = std::max(bounds->Top, y);
    }
}

// The outline of the shadow: the footprint grown by the reach, its corners
// rounded.
std::vector<TEyePoint> ShadowOutline(const TGround& ground)
{
    constexpr int StepsPerCorner = 16;
    const double corners[4][2] = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
    std::vector<TEyePoint> outline;
    for (int corner = 0; corner < 4; ++corner)
        for (int step = 0; step <= StepsPerCorner; ++step) {
            const double a = (corner + double(step) / StepsPerCorner) * std::numbers::pi / 2.0;
            outline.push_back({corners[corner][0] * ground.HalfWidth + ground.ShadowReach * std::cos(a), ground.Y,
                               corners[corner][1] * ground.HalfDepth + ground.ShadowReach * std::sin(a)});
        }
    return outline;
}

} // namespace

TEyePoint EyePoint(double x, double y, double z, float xRotation, float yRotation)
{
    const TEyePoint turned = TurnX(TurnX(TurnY({x, y, z}, yRotation), xRotation), BoxHalfTurn);
    return {turned.X + BoxCentreX, turned.Y + BoxCentreY, turned.Z + BoxCentreZ};
}

TEyePoint EyeInBoxFrame(float xRotation, float yRotation)
{
    const TEyePoint fromCentre{-BoxCentreX, -BoxCentreY, -BoxCentreZ};
    return TurnY(TurnX(TurnX(fromCentre, -BoxHalfTurn), -xRotation), -yRotation);
}

std::array<double, 4> DepthPlane(float xRotation, float yRotation)
{
    const double origin = -EyePoint(0, 0, 0, xRotation, yRotation).Z;
    return {-EyePoint(1, 0, 0, xRotation, yRotation).Z - origin, -EyePoint(0, 1, 0, xRotation, yRotation).Z - origin,
            -EyePoint(0, 0, 1, xRotation, yRotation).Z - origin, origin};
}

bool SeesGroundFromAbove(const TGround& ground, float xRotation, float yRotation)
{
    // The box's frame has its +y side down.
    return EyeInBoxFrame(xRotation, yRotation).Y < ground.Y;
}

std::optional<TViewRect> SubjectBounds(const TShape& shape, float xRotation, float yRotation, const TGround& ground)
{
    std::optional<TViewRect> bounds;
    for (const TShapePart& part : shape.Parts)
        for (size_t i = 0; i + 3 <= part.Triangles.size(); i += 3) {
            std::vector<TEyePoint> polygon;
            for (size_t corner = i; corner < i + 3; ++corner)
                polygon.push_back({part.Triangles[corner].X, part.Triangles[corner].Y, part.Triangles[corner].Z});
            Include(bounds, polygon, xRotation, yRotation);
            if (ground.ReflectionReach > 0.0) {
                // The part within the reach above the ground, mirrored below it.
                const double lowest = ground.Y - ground.ReflectionReach;
                std::vector<TEyePoint> mirrored = Clip(polygon, [&](const TEyePoint& p) { return p.Y - lowest; });
                for (TEyePoint& p : mirrored)
                    p.Y = 2.0 * ground.Y - p.Y;
                Include(bounds, mirrored, xRotation, yRotation);
            }
        }
    if (ground.ShadowReach > 0.0)
        Include(bounds, ShadowOutline(ground), xRotation, yRotation);
    return bounds;
}

double SubjectReach(const TShape& shape, const TGround& ground)
{
    double reach = 0.0;
    auto take = [&](double x, double y, double z) { reach = std::max(reach, std::sqrt(x * x + y * y + z * z)); };
    ForEachVertex(shape, [&](const TShapeVertex& v) { take(v.X, v.Y, v.Z); });
    const TGroundRect shadow = ShadowRect(ground);
    take(std::max(-shadow.Left, shadow.Right), ground.Y, std::max(-shadow.Near, shadow.Far));
    take(ground.HalfWidth, ground.Y + ground.ReflectionReach, ground.HalfDepth);
    return reach;
}

double ViewReach()
{
    return -double(BoxCentreZ) - ViewNear;
}
