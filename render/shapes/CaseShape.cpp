#include "render/shapes/CaseShape.h"

#include "render/shapes/RoundedOutline.h"
#include "render/shapes/ShapeMesh.h"

#include <algorithm>
#include <numbers>

namespace {

// Segments of a corner and of an edge's rounding: smooth at any size a
// picture shows them.
constexpr int CornerSteps = 12, EdgeSteps = 6;
// The grid of the flat faces, so that the highlight moves across them.
constexpr int FaceColumns = 8, FaceRows = 12;

// A point of the profile across the case's edge, from the front face round
// to the back face: how far in from the outline, how deep, its normal along
// the outline's normal and along z, and its length from the front face.
struct TProfilePoint {
    double In, Z, Out, AlongZ, Length;
};

std::vector<TProfilePoint> EdgeProfile(double halfDepth, double radius)
{
    std::vector<TProfilePoint> profile;
    double length = 0.0;
    for (int side = 0; side < 2; ++side)
        for (int step = 0; step <= EdgeSteps; ++step) {
            const double angle = (side + double(step) / EdgeSteps) * std::numbers::pi / 2.0;
            const double centre = side == 0 ? -(halfDepth - radius) : halfDepth - radius;
            TProfilePoint p{radius - radius * std::sin(angle), centre - radius * std::cos(angle), std::sin(angle),
                            -std::cos(angle), 0.0};
            if (!profile.empty())
                length += std::hypot(p.In - profile.back().In, p.Z - profile.back().Z);
            p.Length = length;
            profile.push_back(p);
        }
    return profile;
}

} // namespace

TShape CaseShape(const char* name, const TBoxSize& size, const TMaterial& plastic)
{
    const double a = std::abs(size.Width) / 2, b = std::abs(size.Height) / 2, c = std::abs(size.Depth) / 2;
    const double corner = Detail(3.5, std::min(a, b), 0.4);
    const double edge = std::min(corner, Detail(1.5, c, 0.6));
    const std::vector<TOutlinePoint> outline = RoundedOutline(a, b, corner, CornerSteps);
    const std::vector<TProfilePoint> profile = EdgeProfile(c, edge);
    // The wrap shows on the flat of either face, from the spine's edge to the
    // rim along the open side, and between the rims along the top and the
    // bottom; on the spine, all round the edge.
    const double spineX = -(a - edge), openX = a - corner, artY = b - corner;

    TShapePart front{"front", TArtFace::Front, Sleeve(), {}}, back{"back", TArtFace::Back, Sleeve(), {}};
    TShapePart spine{"spine", TArtFace::Spine, Sleeve(), {}};
    TShapePart faceRim{"face rim", std::nullopt, plastic, {}}, edgeRim{"edge rim", std::nullopt, plastic, {}};
    for (const double side : {-1.0, 1.0}) {
        TShapePart& face = side < 0 ? front : back;
        AddGrid(face, FaceColumns, FaceRows, [&](int i, int j) {
            const double x = spineX + (openX - spineX) * i / FaceColumns, y = -artY + 2 * artY * j / FaceRows;
            const double s = (x - spineX) / (openX - spineX);
            return Vertex({x, y, side * c}, {0, 0, side}, side < 0 ? s : 1 - s, (artY - y) / (2 * artY));
        });
        // The rim around it: from the flat's outline in to the wrap's edge.
        for (size_t i = 0; i < outline.size(); ++i) {
            const TOutlinePoint &p = outline[i], &q = outline[(i + 1) % outline.size()];
            auto at = [&](const TOutlinePoint& o, bool inner) {
                double x = o.X - edge * o.NX, y = o.Y - edge * o.NY;
                if (inner)
                    x = std::clamp(x, spineX, openX), y = std::clamp(y, -artY, artY);
                return Vertex({x, y, side * c}, {0, 0, side}, 0, 0);
            };
            AddQuad(faceRim, at(p, false), at(q, false), at(q, true), at(p, true));
        }
    }
    // The edge all round, the spine's side printed.
    const double length = profile.back().Length;
    for (size_t i = 0; i < outline.size(); ++i) {
        const TOutlinePoint &p = outline[i], &q = outline[(i + 1) % outline.size()];
        const bool onSpine = int(i) == LeftSideStart(CornerSteps);
        for (size_t k = 0; k + 1 < profile.size(); ++k) {
            auto at = [&](const TOutlinePoint& o, const TProfilePoint& f) {
                return Vertex({o.X - f.In * o.NX, o.Y - f.In * o.NY, f.Z}, {f.Out * o.NX, f.Out * o.NY, f.AlongZ},
                              1 - f.Length / length, (artY - o.Y) / (2 * artY));
            };
            AddQuad(onSpine ? spine : edgeRim, at(p, profile[k]), at(q, profile[k]), at(q, profile[k + 1]),
                    at(p, profile[k + 1]));
        }
    }
    return {.Name = name,
            .Size = {float(2 * a), float(2 * b), float(2 * c)},
            .Parts = {front, spine, back, faceRim, edgeRim}};
}
