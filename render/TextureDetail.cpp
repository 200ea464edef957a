#include "render/TextureDetail.h"

#include "render/BoxPlan.h"
#include "render/SceneBounds.h"

#include <algorithm>
#include <cmath>

namespace {

// The poses looked at: every 10 degrees about either axis. The finest view
// of a face between two of them is finer by a few percent at most, which
// Slack covers.
constexpr int PoseStep = 10;
constexpr double Slack = 1.15;

// How a quad's position moves with its texture coordinates: position =
// Origin + s * AlongS + t * AlongT, in the box's own frame.
struct TTextureAxes {
    TEyePoint Origin, AlongS, AlongT;
};

TEyePoint Minus(const TEyePoint& a, const TEyePoint& b)
{
    return {a.X - b.X, a.Y - b.Y, a.Z - b.Z};
}

std::optional<TTextureAxes> TextureAxes(const TBoxQuad& quad)
{
    const TBoxVertex &v0 = quad.Vertices[0], &v1 = quad.Vertices[1], &v3 = quad.Vertices[3];
    const TEyePoint e1{v1.X - v0.X, v1.Y - v0.Y, v1.Z - v0.Z}, e3{v3.X - v0.X, v3.Y - v0.Y, v3.Z - v0.Z};
    const double ds1 = v1.S - v0.S, dt1 = v1.T - v0.T, ds3 = v3.S - v0.S, dt3 = v3.T - v0.T;
    const double det = ds1 * dt3 - ds3 * dt1;
    if (std::abs(det) < 1e-9)
        return std::nullopt;
    const TEyePoint s{(e1.X * dt3 - e3.X * dt1) / det, (e1.Y * dt3 - e3.Y * dt1) / det,
                      (e1.Z * dt3 - e3.Z * dt1) / det};
    const TEyePoint t{(e3.X * ds1 - e1.X * ds3) / det, (e3.Y * ds1 - e1.Y * ds3) / det,
                      (e3.Z * ds1 - e1.Z * ds3) / det};
    return TTextureAxes{{v0.X - v0.S * s.X - v0.T * t.X, v0.Y - v0.S * s.Y - v0.T * t.Y,
                         v0.Z - v0.S * s.Z - v0.T * t.Z},
                        s, t};
}

// How fast the point p of eye space moves on the view plane as it moves
// along `along` (both in eye space): the projection's derivative, largest
// where the point is nearest the eye.
double ViewPlaneSpeed(const TEyePoint& p, const TEyePoint& along)
{
    const double w = -p.Z, dw = -along.Z;
    const double dx = along.X * w - p.X * dw, dy = along.Y * w - p.Y * dw;
    return std::sqrt(dx * dx + dy * dy) / (w * w);
}

} // namespace

std::array<TImageNeed, ArtFaceCount> FaceImageNeeds(const std::vector<TBoxQuad>& quads, int width, int height)
{
    std::array<double, ArtFaceCount> finestS{}, finestT{};
    std::array<bool, ArtFaceCount> bounded{};
    for (int x = 0; x < 360; x += PoseStep)
        for (int y = 0; y < 360; y += PoseStep) {
            const auto xr = float(x), yr = float(y);
            const std::optional<TViewRect> bounds = SubjectBounds(quads, xr, yr, TGround{});
            if (!bounds || !(bounds->Width() > 0.0) || !(bounds->Height() > 0.0))
                continue;
            // Picture pixels per unit of the view plane, with no margin.
            const double scale = std::min(width / bounds->Width(), height / bounds->Height());
            for (const TBoxQuad& quad : quads) {
                const auto face = size_t(ArtFaceOf(quad));
                const std::optional<TTextureAxes> axes = TextureAxes(quad);
                if (quad.Face == TBoxFace::Floor || !axes)
                    continue;
                bounded[face] = true;
                const TEyePoint origin = EyePoint(0, 0, 0, xr, yr);
                const TEyePoint s = Minus(EyePoint(axes->AlongS.X, axes->AlongS.Y, axes->AlongS.Z, xr, yr), origin);
                const TEyePoint t = Minus(EyePoint(axes->AlongT.X, axes->AlongT.Y, axes->AlongT.Z, xr, yr), origin);
                for (const TBoxVertex& v : quad.Vertices) {
                    const TEyePoint p = EyePoint(v.X, v.Y, v.Z, xr, yr);
                    finestS[face] = std::max(finestS[face], scale * ViewPlaneSpeed(p, s));
                    finestT[face] = std::max(finestT[face], scale * ViewPlaneSpeed(p, t));
                }
            }
        }
    std::array<TImageNeed, ArtFaceCount> needs{};
    for (size_t face = 0; face < ArtFaceCount; ++face)
        if (bounded[face] && face != size_t(TArtFace::Floor))
            needs[face] = {int(std::min(std::ceil(finestS[face] * Slack), double(TImageNeed::Unbounded))),
                           int(std::min(std::ceil(finestT[face] * Slack), double(TImageNeed::Unbounded)))};
    return needs;
}
