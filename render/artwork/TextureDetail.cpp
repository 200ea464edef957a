#include "render/artwork/TextureDetail.h"

#include "render/framing/SceneBounds.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>

namespace {

// The poses looked at: every 10 degrees about either axis. The finest view
// of a face between two of them is finer by a few percent at most, which
// Slack covers.
constexpr int PoseStep = 10;
constexpr double Slack = 1.15;

TEyePoint Plus(const TEyePoint& a, const TEyePoint& b)
{
    return {a.X + b.X, a.Y + b.Y, a.Z + b.Z};
}

TEyePoint Times(double k, const TEyePoint& a)
{
    return {k * a.X, k * a.Y, k * a.Z};
}

// The camera of one pose: where a point and a direction of the box's own
// frame lie in eye space (EyePoint, turned once for all points).
struct TPose {
    TEyePoint Origin, AlongX, AlongY, AlongZ;

    TPose(float xRotation, float yRotation)
        : Origin(EyePoint(0, 0, 0, xRotation, yRotation)), AlongX(Turned(1, 0, 0, xRotation, yRotation)),
          AlongY(Turned(0, 1, 0, xRotation, yRotation)), AlongZ(Turned(0, 0, 1, xRotation, yRotation))
    {
    }
    TEyePoint Direction(const TEyePoint& d) const
    {
        return Plus(Plus(Times(d.X, AlongX), Times(d.Y, AlongY)), Times(d.Z, AlongZ));
    }
    TEyePoint Point(double x, double y, double z) const { return Plus(Origin, Direction({x, y, z})); }

private:
    TEyePoint Turned(double x, double y, double z, float xRotation, float yRotation) const
    {
        const TEyePoint p = EyePoint(x, y, z, xRotation, yRotation);
        return {p.X - Origin.X, p.Y - Origin.Y, p.Z - Origin.Z};
    }
};

// How a triangle's position moves with its texture coordinates, in the
// shape's own frame: position = v0 + (s - s0) * AlongS + (t - t0) * AlongT.
struct TTextureAxes {
    TEyePoint AlongS, AlongT;
};

std::optional<TTextureAxes> TextureAxes(const TShapeVertex* v)
{
    const TShapeVertex &v0 = v[0], &v1 = v[1], &v3 = v[2];
    const TEyePoint e1{v1.X - v0.X, v1.Y - v0.Y, v1.Z - v0.Z}, e3{v3.X - v0.X, v3.Y - v0.Y, v3.Z - v0.Z};
    const double ds1 = v1.S - v0.S, dt1 = v1.T - v0.T, ds3 = v3.S - v0.S, dt3 = v3.T - v0.T;
    const double det = ds1 * dt3 - ds3 * dt1;
    if (std::abs(det) < 1e-9)
        return std::nullopt;
    return TTextureAxes{Plus(Times(dt3 / det, e1), Times(-dt1 / det, e3)),
                        Plus(Times(ds1 / det, e3), Times(-ds3 / det, e1))};
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

// Whether two ways along a face are the same but for rounding.
bool Close(const TEyePoint& a, const TEyePoint& b)
{
    const double scale = std::max({std::abs(a.X), std::abs(a.Y), std::abs(a.Z), 1e-12});
    return std::abs(a.X - b.X) + std::abs(a.Y - b.Y) + std::abs(a.Z - b.Z) <= 1e-9 * scale;
}

// The points, each once.
void Distinct(std::vector<TEyePoint>& points)
{
    auto key = [](const TEyePoint& p) { return std::tuple(p.X, p.Y, p.Z); };
    std::sort(points.begin(), points.end(), [&](const TEyePoint& a, const TEyePoint& b) { return key(a) < key(b); });
    points.erase(std::unique(points.begin(), points.end(),
                             [&](const TEyePoint& a, const TEyePoint& b) { return key(a) == key(b); }),
                 points.end());
}

int Pixels(double value)
{
    return value < double(TImageNeed::Unbounded) ? int(std::ceil(value)) : TImageNeed::Unbounded;
}

} // namespace

std::array<TImageNeed, ArtFaceCount> FaceImageNeeds(const TShape& shape, int width, int height)
{
    // The corners of the triangles that show an image, by face and by the
    // way their image lies on them: a flat part's triangles share one way,
    // and each corner is looked at once for it.
    struct TArtPlane {
        size_t Face;
        TTextureAxes Axes;
        std::vector<TEyePoint> Corners;
    };
    std::vector<TArtPlane> art;
    std::vector<TEyePoint> points;
    for (const TShapePart& part : shape.Parts)
        for (size_t i = 0; i + 3 <= part.Triangles.size(); i += 3) {
            const TShapeVertex* corners = &part.Triangles[i];
            for (size_t c = 0; c < 3; ++c)
                points.push_back({corners[c].X, corners[c].Y, corners[c].Z});
            const std::optional<TTextureAxes> along = part.Art ? TextureAxes(corners) : std::nullopt;
            if (!along)
                continue;
            const auto plane = std::find_if(art.begin(), art.end(), [&](const TArtPlane& p) {
                return p.Face == size_t(*part.Art) && Close(p.Axes.AlongS, along->AlongS) &&
                       Close(p.Axes.AlongT, along->AlongT);
            });
            TArtPlane& into = plane != art.end() ? *plane : art.emplace_back(TArtPlane{size_t(*part.Art), *along, {}});
            for (size_t c = 0; c < 3; ++c)
                into.Corners.push_back({corners[c].X, corners[c].Y, corners[c].Z});
        }
    Distinct(points);
    for (TArtPlane& plane : art)
        Distinct(plane.Corners);
    std::array<double, ArtFaceCount> finestS{}, finestT{};
    for (int x = 0; x < 360; x += PoseStep)
        for (int y = 0; y < 360; y += PoseStep) {
            const TPose pose(static_cast<float>(x), static_cast<float>(y));
            // The shape alone filling the picture, with no margin: nothing a
            // shot frames is smaller.
            TViewRect bounds{1e300, -1e300, 1e300, -1e300};
            for (const TEyePoint& v : points) {
                const TEyePoint p = pose.Point(v.X, v.Y, v.Z);
                if (-p.Z <= ViewNear)  // a shape that reaches the eye, which no shot draws
                    return {};
                bounds = {std::min(bounds.Left, p.X / -p.Z), std::max(bounds.Right, p.X / -p.Z),
                          std::min(bounds.Bottom, p.Y / -p.Z), std::max(bounds.Top, p.Y / -p.Z)};
            }
            // Picture pixels per unit of the view plane.
            const double scale = std::min(width / bounds.Width(), height / bounds.Height());
            for (const TArtPlane& plane : art) {
                const TEyePoint s = pose.Direction(plane.Axes.AlongS), t = pose.Direction(plane.Axes.AlongT);
                for (const TEyePoint& v : plane.Corners) {
                    const TEyePoint p = pose.Point(v.X, v.Y, v.Z);
                    finestS[plane.Face] = std::max(finestS[plane.Face], scale * ViewPlaneSpeed(p, s));
                    finestT[plane.Face] = std::max(finestT[plane.Face], scale * ViewPlaneSpeed(p, t));
                }
            }
        }
    std::array<TImageNeed, ArtFaceCount> needs{};
    for (const TArtPlane& plane : art)
        needs[plane.Face] = {Pixels(finestS[plane.Face] * Slack), Pixels(finestT[plane.Face] * Slack)};
    return needs;
}
