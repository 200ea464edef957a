#include "render/framing/ShapeSolid.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <vector>

namespace {

// Whether every edge of a triangle is the edge of exactly one other: the
// triangles close round a solid.
bool Closed(const TShape& shape)
{
    using TKey = std::tuple<double, double, double>;
    std::map<std::pair<TKey, TKey>, int> edges;
    for (const TShapePart& part : shape.Parts)
        for (size_t i = 0; i + 3 <= part.Triangles.size(); i += 3)
            for (size_t c = 0; c < 3; ++c) {
                const TShapeVertex &a = part.Triangles[i + c], &b = part.Triangles[i + (c + 1) % 3];
                ++edges[std::minmax(TKey(a.X, a.Y, a.Z), TKey(b.X, b.Y, b.Z))];
            }
    return !edges.empty() && std::all_of(edges.begin(), edges.end(), [](const auto& edge) { return edge.second == 2; });
}

// Whether every corner lies on the inner side of every triangle's plane.
bool Convex(const TShape& shape)
{
    using TKey = std::tuple<double, double, double>;
    std::vector<TKey> corners;
    double size = 0.0;
    ForEachVertex(shape, [&](const TShapeVertex& v) {
        corners.emplace_back(v.X, v.Y, v.Z);
        size = std::max({size, std::abs(double(v.X)), std::abs(double(v.Y)), std::abs(double(v.Z))});
    });
    std::sort(corners.begin(), corners.end());
    corners.erase(std::unique(corners.begin(), corners.end()), corners.end());
    std::vector<TEyePoint> points;
    for (const auto& [x, y, z] : corners)
        points.push_back({x, y, z});
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

std::optional<TEyePoint> PlaneNormal(const TShapeVertex* v)
{
    const TEyePoint n = Cross(Minus(At(v[1]), At(v[0])), Minus(At(v[2]), At(v[0])));
    const double length = std::sqrt(Dot(n, n));
    if (length < 1e-12)
        return std::nullopt;
    const TEyePoint outward{double(v[0].NX) + v[1].NX + v[2].NX, double(v[0].NY) + v[1].NY + v[2].NY,
                            double(v[0].NZ) + v[1].NZ + v[2].NZ};
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
            const TShapeVertex* v = &part.Triangles[i];
            const TEyePoint turn = Cross(Minus(At(v[1]), At(v[0])), Minus(At(v[2]), At(v[0])));
            const TEyePoint outward{double(v[0].NX) + v[1].NX + v[2].NX, double(v[0].NY) + v[1].NY + v[2].NY,
                                    double(v[0].NZ) + v[1].NZ + v[2].NZ};
            if (Dot(turn, outward) <= 0.0)
                return false;
        }
    return true;
}
