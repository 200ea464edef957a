#include "render/framing/ShapeSolid.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <vector>

namespace {

// A point as a key that orders and compares its coordinates.
using TKey = std::tuple<double, double, double>;

TKey Key(const TEyePoint& p)
{
    return std::tuple(p.X, p.Y, p.Z);
}

// The turn of a triangle's corners (the cross product of its two sides from
// the first, along the normal its corners turn about) and the way out of the
// shape that its corners' normals give.
struct TTurn {
    TEyePoint Turn, Outward;
};

TTurn TurnOf(const TShapeVertex* v)
{
    return {Cross(Minus(At(v[1]), At(v[0])), Minus(At(v[2]), At(v[0]))),
            {double(v[0].NX) + v[1].NX + v[2].NX, double(v[0].NY) + v[1].NY + v[2].NY,
             double(v[0].NZ) + v[1].NZ + v[2].NZ}};
}

// Whether every edge of a triangle is the edge of exactly one other: the
// triangles close round a solid.
bool Closed(const TShape& shape)
{
    std::map<std::pair<TKey, TKey>, int> edges;
    for (const TShapePart& part : shape.Parts)
        for (size_t i = 0; i + 3 <= part.Triangles.size(); i += 3)
            for (size_t c = 0; c < 3; ++c)
                ++edges[std::minmax(Key(At(part.Triangles[i + c])), Key(At(part.Triangles[i + (c + 1) % 3])))];
    return !edges.empty() && std::all_of(edges.begin(), edges.end(), [](const auto& edge) { return edge.second == 2; });
}

// Whether every corner lies on the inner side of every triangle's plane.
bool Convex(const TShape& shape)
{
    std::vector<TEyePoint> points;
    ForEachVertex(shape, [&](const TShapeVertex& v) { points.push_back(At(v)); });
    Distinct(points);
    double size = 0.0;
    for (const TEyePoint& p : points)
        size = std::max({size, std::abs(p.X), std::abs(p.Y), std::abs(p.Z)});
    for (const TShapePart& part : shape.Parts)
        for (size_t i = 0; i + 3 <= part.Triangles.size(); i += 3) {
            const std::optional<TEyePoint> n = PlaneNormal(&part.Triangles[i]);
            const TEyePoint corner = At(part.Triangles[i]);
            if (n && std::any_of(points.begin(), points.end(),
                                 [&](const TEyePoint& p) { return Dot(*n, Minus(p, corner)) > 1e-6 * size; }))
                return false;
        }
    return true;
}

} // namespace

TEyePoint At(const TShapeVertex& v)
{
    return {v.X, v.Y, v.Z};
}

TEyePoint Minus(const TEyePoint& a, const TEyePoint& b)
{
    return {a.X - b.X, a.Y - b.Y, a.Z - b.Z};
}

TEyePoint Cross(const TEyePoint& a, const TEyePoint& b)
{
    return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}

double Dot(const TEyePoint& a, const TEyePoint& b)
{
    return a.X * b.X + a.Y * b.Y + a.Z * b.Z;
}

void Distinct(std::vector<TEyePoint>& points)
{
    std::sort(points.begin(), points.end(), [](const TEyePoint& a, const TEyePoint& b) { return Key(a) < Key(b); });
    points.erase(std::unique(points.begin(), points.end(),
                             [](const TEyePoint& a, const TEyePoint& b) { return Key(a) == Key(b); }),
                 points.end());
}

std::optional<TEyePoint> PlaneNormal(const TShapeVertex* v)
{
    const auto [n, outward] = TurnOf(v);
    const double length = std::sqrt(Dot(n, n));
    if (length < 1e-12)
        return std::nullopt;
    const double k = (Dot(n, outward) < 0 ? -1.0 : 1.0) / length;
    return TEyePoint{k * n.X, k * n.Y, k * n.Z};
}

bool HidesBackFaces(const TShape& shape)
{
    return !HasSeeThrough(shape) && Closed(shape) && Convex(shape);
}

bool WoundOutward(const TShape& shape)
{
    for (const TShapePart& part : shape.Parts)
        for (size_t i = 0; i + 3 <= part.Triangles.size(); i += 3) {
            const auto [turn, outward] = TurnOf(&part.Triangles[i]);
            if (Dot(turn, outward) <= 0.0)
                return false;
        }
    return true;
}
