#include "render/shapes/BoxShape.h"

#include <algorithm>
#include <cmath>

std::vector<TLitQuad> OutwardQuads(const std::vector<TBoxQuad>& quads)
{
    std::vector<TLitQuad> lit;
    for (const TBoxQuad& quad : quads) {
        // Newell's normal, and the quad's centre.
        double n[3] = {}, c[3] = {};
        for (size_t i = 0; i < 4; ++i) {
            const TBoxVertex& a = quad.Vertices[i];
            const TBoxVertex& b = quad.Vertices[(i + 1) % 4];
            n[0] += (a.Y - b.Y) * (a.Z + b.Z);
            n[1] += (a.Z - b.Z) * (a.X + b.X);
            n[2] += (a.X - b.X) * (a.Y + b.Y);
            c[0] += a.X, c[1] += a.Y, c[2] += a.Z;
        }
        const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        TLitQuad out{quad, {0.0f, -1.0f, 0.0f}};
        if (length > 0.0) {
            const double side = n[0] * c[0] + n[1] * c[1] + n[2] * c[2] < 0.0 ? -1.0 : 1.0;
            out.Normal = {float(side * n[0] / length), float(side * n[1] / length), float(side * n[2] / length)};
            if (side < 0.0)
                std::reverse(out.Quad.Vertices.begin(), out.Quad.Vertices.end());
        }
        lit.push_back(out);
    }
    return lit;
}

TArtFace ArtFaceOf(const TBoxQuad& quad)
{
    if (quad.Face == TBoxFace::CoverNear)
        return TArtFace::Back;
    switch (quad.Texture) {
    case TFaceSlot::Cover: return TArtFace::Front;
    case TFaceSlot::Spine: return TArtFace::Spine;
    case TFaceSlot::Top: return TArtFace::Top;
    case TFaceSlot::Floor: return TArtFace::Floor;
    case TFaceSlot::Plain: return TArtFace::Plain;
    }
    return TArtFace::Front;
}

namespace {

const char* PartName(TBoxFace face)
{
    switch (face) {
    case TBoxFace::CoverNear: return "back";
    case TBoxFace::CoverFar: return "front";
    case TBoxFace::Top: return "top";
    case TBoxFace::Lid: return "lid";
    case TBoxFace::TuckFlap: return "tuck flap";
    case TBoxFace::SideFlapRight: return "right flap";
    case TBoxFace::SideFlapLeft: return "left flap";
    case TBoxFace::Bottom: return "bottom";
    case TBoxFace::Spine: return "spine";
    case TBoxFace::LongSide: return "long side";
    case TBoxFace::Floor: return "floor";
    }
    return "";
}

} // namespace

TShape BoxShape(const TBoxSize& size, const TBoxOptions& options)
{
    TBoxOptions box = options;
    box.Floor = false;
    TShape shape{.Name = "box",
                 .Size = {std::abs(size.Width), std::abs(size.Height), std::abs(size.Depth)},
                 .Parts = {}};
    const std::vector<TBoxQuad> quads = BoxQuads(size.Width, size.Height, size.Depth, box);
    const std::vector<TLitQuad> outward = OutwardQuads(quads);
    for (size_t i = 0; i < quads.size(); ++i) {
        const TBoxQuad& quad = quads[i];
        const TLitQuad& lit = outward[i];
        TShapePart part{.Name = PartName(quad.Face),
                        .Art = ArtFaceOf(quad),
                        .Material = {.Name = "board"},
                        .Triangles = {}};
        // Split as GL splits the window's quad (a b c d into a b d and
        // b c d), so that the window look draws the same pixels; a quad the
        // window winds inwards keeps that split, its triangles turned
        // round to face out.
        const auto& v = quad.Vertices;
        const bool turned = lit.Quad.Vertices[0].X != v[0].X || lit.Quad.Vertices[0].Y != v[0].Y ||
                            lit.Quad.Vertices[0].Z != v[0].Z;
        using TCorners = std::array<size_t, 6>;
        for (const size_t corner : turned ? TCorners{1, 0, 3, 2, 1, 3} : TCorners{0, 1, 3, 1, 2, 3})
            part.Triangles.push_back({v[corner].X, v[corner].Y, v[corner].Z, lit.Normal[0], lit.Normal[1],
                                      lit.Normal[2], v[corner].S, v[corner].T});
        shape.Parts.push_back(std::move(part));
    }
    return shape;
}
