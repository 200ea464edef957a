#include "render/artwork/TextureDetail.h"

#include "render/framing/SceneBounds.h"
#include "render/framing/ShapeSolid.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The poses looked at: every 10 degrees about either axis. The finest view
// of a face between two of them is finer by a few percent at most, which
// PoseSlack covers.
constexpr int PoseStep = 10;
constexpr double PoseSlack = 1.15;
// A face of the pictures drawn is read at 1.4 times the detail they show of
// it at least: GL's filter then makes the last step of the reduction. Read
// nearer the size it is drawn at, the two reductions in a row would soften
// its fine lines (by 1.3 levels on average at 1.0); read larger, GL's filter,
// two texels either way, skips texels between pixels once they are more than
// twice as many: the art's grain glitters, and the texels of a pixel lie far
// apart in memory.
constexpr double DrawnSlack = 1.4;

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

int Pixels(double value)
{
    return value < double(TImageNeed::Unbounded) ? int(std::ceil(value)) : TImageNeed::Unbounded;
}

// The triangles that show an image, by face, by the way their image lies on
// them and by the way they face (a flat part's triangles share both), each
// corner once; and every corner of the shape.
struct TArtPlane {
    size_t Face;
    TTextureAxes Axes;
    TEyePoint Normal;  // unit length, out of the shape
    std::vector<TEyePoint> Corners;
};

struct TArtLayout {
    std::vector<TArtPlane> Planes;
    std::vector<TEyePoint> Points;
    // A closed, convex, opaque shape: what faces away from the eye lies
    // behind what faces it.
    bool HidesBackFaces = false;
};

TArtLayout LayOut(const TShape& shape)
{
    TArtLayout layout;
    for (const TShapePart& part : shape.Parts)
        for (size_t i = 0; i + 3 <= part.Triangles.size(); i += 3) {
            const TShapeVertex* corners = &part.Triangles[i];
            for (size_t c = 0; c < 3; ++c)
                layout.Points.push_back(At(corners[c]));
            const std::optional<TTextureAxes> along = part.Art ? TextureAxes(corners) : std::nullopt;
            const std::optional<TEyePoint> normal = PlaneNormal(corners);
            if (!along || !normal)
                continue;
            const auto plane = std::find_if(layout.Planes.begin(), layout.Planes.end(), [&](const TArtPlane& p) {
                return p.Face == size_t(*part.Art) && Close(p.Axes.AlongS, along->AlongS) &&
                       Close(p.Axes.AlongT, along->AlongT) && Close(p.Normal, *normal);
            });
            TArtPlane& into = plane != layout.Planes.end()
                                  ? *plane
                                  : layout.Planes.emplace_back(TArtPlane{size_t(*part.Art), *along, *normal, {}});
            for (size_t c = 0; c < 3; ++c)
                into.Corners.push_back(At(corners[c]));
        }
    Distinct(layout.Points);
    for (TArtPlane& plane : layout.Planes)
        Distinct(plane.Corners);
    layout.HidesBackFaces = HidesBackFaces(shape);
    return layout;
}

// The layout mirrored through the plane y = mirrorY.
TArtLayout Mirrored(TArtLayout layout, double mirrorY)
{
    const auto mirror = [&](TEyePoint& p) { p.Y = 2.0 * mirrorY - p.Y; };
    for (TEyePoint& p : layout.Points)
        mirror(p);
    for (TArtPlane& plane : layout.Planes) {
        for (TEyePoint& p : plane.Corners)
            mirror(p);
        plane.Axes.AlongS.Y = -plane.Axes.AlongS.Y;
        plane.Axes.AlongT.Y = -plane.Axes.AlongT.Y;
        plane.Normal.Y = -plane.Normal.Y;
    }
    return layout;
}

// The finest each face is seen so far, along s and along t, in picture
// pixels per unit of its image.
struct TFinest {
    std::array<double, ArtFaceCount> S{}, T{};
    std::array<bool, ArtFaceCount> Seen{};
};

// Where the layout lies on the view plane in the pose; nothing when a point
// reaches the eye, which no shot draws.
std::optional<TViewRect> Bounds(const TArtLayout& layout, const TPose& pose)
{
    TViewRect bounds{1e300, -1e300, 1e300, -1e300};
    for (const TEyePoint& v : layout.Points) {
        const TEyePoint p = pose.Point(v.X, v.Y, v.Z);
        if (-p.Z <= ViewNear)
            return std::nullopt;
        bounds = {std::min(bounds.Left, p.X / -p.Z), std::max(bounds.Right, p.X / -p.Z),
                  std::min(bounds.Bottom, p.Y / -p.Z), std::max(bounds.Top, p.Y / -p.Z)};
    }
    return bounds;
}

// Adds what the layout shows in the pose at `scale` picture pixels per unit
// of the view plane: every face, or only those that may be seen.
void Add(TFinest& finest, const TArtLayout& layout, const TPose& pose, double scale, bool seenOnly)
{
    for (const TArtPlane& plane : layout.Planes) {
        const TEyePoint s = pose.Direction(plane.Axes.AlongS), t = pose.Direction(plane.Axes.AlongT);
        const TEyePoint n = pose.Direction(plane.Normal);
        for (const TEyePoint& v : plane.Corners) {
            const TEyePoint p = pose.Point(v.X, v.Y, v.Z);
            // The eye lies at the origin: a face turned to it has it in front.
            if (seenOnly && layout.HidesBackFaces && Dot(n, p) >= 0.0)
                continue;
            finest.Seen[plane.Face] = true;
            finest.S[plane.Face] = std::max(finest.S[plane.Face], scale * ViewPlaneSpeed(p, s));
            finest.T[plane.Face] = std::max(finest.T[plane.Face], scale * ViewPlaneSpeed(p, t));
        }
    }
}

TFaceNeeds NeedsOf(const TArtLayout& layout, const TFinest& finest, double slack)
{
    TFaceNeeds needs{};
    for (const TArtPlane& plane : layout.Planes)
        needs[plane.Face] = finest.Seen[plane.Face]
                                ? TImageNeed{Pixels(finest.S[plane.Face] * slack), Pixels(finest.T[plane.Face] * slack)}
                                : UnseenNeed;
    return needs;
}

} // namespace

TFaceNeeds FaceImageNeeds(const TShape& shape, int width, int height)
{
    const TArtLayout layout = LayOut(shape);
    TFinest finest;
    for (int x = 0; x < 360; x += PoseStep)
        for (int y = 0; y < 360; y += PoseStep) {
            const TPose pose(static_cast<float>(x), static_cast<float>(y));
            // The shape alone filling the picture, with no margin: nothing a
            // shot frames is smaller.
            const std::optional<TViewRect> bounds = Bounds(layout, pose);
            if (!bounds)
                return {};
            // Picture pixels per unit of the view plane.
            Add(finest, layout, pose, std::min(width / bounds->Width(), height / bounds->Height()), false);
        }
    return NeedsOf(layout, finest, PoseSlack);
}

TFaceNeeds FaceImageNeeds(const TShape& shape, const std::vector<TShapeView>& views)
{
    const TArtLayout layout = LayOut(shape);
    TFinest finest;
    for (const TShapeView& view : views) {
        const TPose pose(view.XRotation, view.YRotation);
        if (!Bounds(layout, pose))
            return {};
        Add(finest, layout, pose, view.PixelsPerUnit, true);
        if (view.MirrorY)
            Add(finest, Mirrored(layout, *view.MirrorY), pose, view.PixelsPerUnit, true);
    }
    return NeedsOf(layout, finest, DrawnSlack);
}

TImageNeed Larger(const TImageNeed& a, const TImageNeed& b)
{
    return {std::max(a.Width, b.Width), std::max(a.Height, b.Height)};
}

TFaceNeeds Larger(const TFaceNeeds& a, const TFaceNeeds& b)
{
    TFaceNeeds larger;
    for (size_t i = 0; i < ArtFaceCount; ++i)
        larger[i] = Larger(a[i], b[i]);
    return larger;
}
