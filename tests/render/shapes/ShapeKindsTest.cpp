// The shapes as data: their real sizes and proportions, smooth curves,
// triangles that face the way their normals point, the book's paper and
// boards, the jewel case's plastic, and where each face's image lands.
#include "render/shapes/JewelShape.h"
#include "render/shapes/ShapeKinds.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using enum TShapeKind;

const TShapePart& PartNamed(const TShape& shape, const std::string& name)
{
    for (const TShapePart& part : shape.Parts)
        if (part.Name == name)
            return part;
    throw std::logic_error("no part " + name);
}

struct TExtent {
    double Low[3] = {1e9, 1e9, 1e9}, High[3] = {-1e9, -1e9, -1e9};
    void Take(const TShapeVertex& v)
    {
        const double p[3] = {v.X, v.Y, v.Z};
        for (int i = 0; i < 3; ++i)
            Low[i] = std::min(Low[i], p[i]), High[i] = std::max(High[i], p[i]);
    }
    double Size(int axis) const { return High[axis] - Low[axis]; }
};

TExtent ExtentOf(const std::vector<TShapeVertex>& vertices)
{
    TExtent extent;
    for (const TShapeVertex& v : vertices)
        extent.Take(v);
    return extent;
}

TShape Real(TShapeKind kind)
{
    return MakeShape(kind, RealSize(kind).value_or(TBoxSize{20, 30, 5}), {});
}

} // namespace

TEST(ShapeKinds, EachHasItsRealSizeAndProportionsFacingOutSmoothly)
{
    struct TCase {
        TShapeKind Kind;
        const char* Name;
        double Width, Height, Depth;  // millimetres
    };
    for (const TCase& c : {TCase{Hardcover, "hardcover", 155, 235, 25}, {Paperback, "paperback", 140, 216, 20},
                           {Dvd, "dvd", 135, 190, 14}, {Bluray, "bluray", 135, 171.5, 12},
                           {Jewel, "jewel", 142, 125, 10.4}}) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(ShapeKindNamed(c.Name), c.Kind);
        EXPECT_EQ(ShapeName(c.Kind), c.Name);
        const TShape shape = Real(c.Kind);
        EXPECT_EQ(shape.Name, c.Name);
        // The outline seen from the front fills the real size, centred.
        TExtent extent;
        ForEachVertex(shape, [&](const TShapeVertex& v) { extent.Take(v); });
        const double sizes[3] = {c.Width, c.Height, c.Depth};
        for (int axis = 0; axis < 3; ++axis) {
            EXPECT_NEAR(extent.Size(axis) * MillimetresPerUnit, sizes[axis], 0.01) << axis;
            EXPECT_NEAR(extent.Low[axis] + extent.High[axis], 0.0, 1e-4) << axis;
        }
        // Opaque parts first; each triangle turns the way its normals point,
        // and no curve strays from the true surface by half a pixel in a
        // picture 4000 pixels across.
        const double pixelsPerUnit = 4000.0 / std::max(shape.Size.Width, shape.Size.Height);
        bool seeThrough = false;
        for (const TShapePart& part : shape.Parts) {
            SCOPED_TRACE(part.Name);
            EXPECT_FALSE(seeThrough && !part.Material.SeeThrough());
            seeThrough = part.Material.SeeThrough();
            ASSERT_EQ(part.Triangles.size() % 3, 0u);
            for (size_t i = 0; i < part.Triangles.size(); i += 3) {
                const TShapeVertex* v = &part.Triangles[i];
                const double ux = v[1].X - v[0].X, uy = v[1].Y - v[0].Y, uz = v[1].Z - v[0].Z;
                const double wx = v[2].X - v[0].X, wy = v[2].Y - v[0].Y, wz = v[2].Z - v[0].Z;
                const double g[3] = {uy * wz - uz * wy, uz * wx - ux * wz, ux * wy - uy * wx};
                const double area = std::sqrt(g[0] * g[0] + g[1] * g[1] + g[2] * g[2]);
                for (int k = 0; k < 3; ++k) {
                    const TShapeVertex &p = v[k], &q = v[(k + 1) % 3];
                    EXPECT_NEAR(p.NX * p.NX + p.NY * p.NY + p.NZ * p.NZ, 1.0, 1e-5);
                    if (area > 1e-9) {
                        EXPECT_GT(g[0] * p.NX + g[1] * p.NY + g[2] * p.NZ, 0.0) << "triangle " << i;
                    }
                    // A chord's sagitta: (q - p) . (nq - np) / 8 on a circle.
                    const double bow = std::abs((q.X - p.X) * (q.NX - p.NX) + (q.Y - p.Y) * (q.NY - p.NY) +
                                                (q.Z - p.Z) * (q.NZ - p.NZ)) / 8.0;
                    EXPECT_LT(bow * pixelsPerUnit, 0.5) << "triangle " << i;
                }
            }
        }
    }
    EXPECT_EQ(ShapeKindNamed("Blu-ray"), std::nullopt);
    EXPECT_EQ(ShapeKindNamed("BluRay"), Bluray);
    EXPECT_EQ(ShapeNames(), "box|hardcover|paperback|dvd|bluray|jewel");
}

TEST(ShapeKinds, CasesHaveRoundedCornersAndARimOnTheOpenEdges)
{
    for (const TShapeKind kind : {Dvd, Bluray}) {
        const TShape shape = Real(kind);
        const double a = shape.Size.Width / 2, b = shape.Size.Height / 2;
        // No point comes near a square corner: a 3.5 mm round keeps 1.4 mm off.
        ForEachVertex(shape, [&](const TShapeVertex& v) {
            EXPECT_GT(std::hypot(a - std::abs(v.X), b - std::abs(v.Y)), 0.12);
        });
        // The printed front stops short of the open edges; the plastic there
        // is glossy and the spine's side is printed.
        const TExtent front = ExtentOf(PartNamed(shape, "front").Triangles);
        EXPECT_LT(front.High[0], a - 0.3);
        EXPECT_LT(front.High[1], b - 0.3);
        EXPECT_EQ(PartNamed(shape, "front").Material.Finish, TFinish::Glossy);
        EXPECT_EQ(PartNamed(shape, "edge rim").Material.Finish, TFinish::Glossy);
        EXPECT_FALSE(PartNamed(shape, "edge rim").Art);
        EXPECT_NEAR(ExtentOf(PartNamed(shape, "spine").Triangles).Low[0], -a, 1e-5);
    }
    const TShape dvd = Real(Dvd), bluray = Real(Bluray);
    EXPECT_LT(PartNamed(dvd, "edge rim").Material.Colour[2], 0.2f);     // black
    EXPECT_GT(PartNamed(bluray, "edge rim").Material.Colour[2], 0.5f);  // blue
}

TEST(ShapeKinds, BooksShowPaperAtTheirPagesAndAHardcoverItsBoards)
{
    struct TCase {
        TShapeKind Kind;
        double Squares;  // how far the covers stand out, units
        bool Joint;
    };
    for (const TCase& c : {TCase{Hardcover, 0.3, true}, {Paperback, 0.0, false}}) {
        const TShape shape = Real(c.Kind);
        SCOPED_TRACE(shape.Name);
        const double a = shape.Size.Width / 2, b = shape.Size.Height / 2, depth = shape.Size.Depth / 2;
        const TShapePart& pages = PartNamed(shape, "page edge");
        EXPECT_FALSE(pages.Art);
        EXPECT_GT(pages.Material.LinesPerUnit, 0.0f);
        EXPECT_EQ(pages.Material.Finish, TFinish::Matte);
        EXPECT_GT(pages.Material.Colour[0], 0.9f);
        EXPECT_GT(pages.Material.Colour[0], pages.Material.Colour[2]);  // off-white, not blue-white
        // The pages' edges stand the squares in from the covers on the three open sides.
        const TExtent block = ExtentOf(pages.Triangles);
        EXPECT_NEAR(a - block.High[0], c.Squares, 1e-5);
        EXPECT_NEAR(b - block.High[1], c.Squares, 1e-5);
        EXPECT_NEAR(block.Low[1] + b, c.Squares, 1e-5);
        // The lines run across the depth: s follows z.
        for (const TShapeVertex& v : pages.Triangles)
            EXPECT_NEAR(v.S, (v.Z + depth) * pages.Material.LinesPerUnit, 1e-3);
        // Only a hardcover's front has the joint pressed in, near the spine.
        double deepest = -depth, at = 0.0;
        for (const TShapeVertex& v : PartNamed(shape, "front").Triangles)
            if (v.Z > deepest)
                deepest = v.Z, at = v.X;
        EXPECT_EQ(deepest > -depth + 0.05, c.Joint) << deepest;
        if (c.Joint) {
            EXPECT_LT(at, -a + 1.5);
        }
        // A spine that bulges out from the covers' edge to the left.
        EXPECT_NEAR(ExtentOf(PartNamed(shape, "spine").Triangles).Low[0], -a, 1e-5);
        EXPECT_GT(ExtentOf(PartNamed(shape, "front").Triangles).Low[0], -a + 0.05);
    }
}

TEST(ShapeKinds, AJewelCaseIsClearPlasticOverItsBookletAndTrayCard)
{
    const TShape shape = Real(Jewel);
    EXPECT_TRUE(HasSeeThrough(shape));
    const double a = shape.Size.Width / 2, b = shape.Size.Height / 2, c = shape.Size.Depth / 2;
    const TShapePart& plastic = PartNamed(shape, "case");
    EXPECT_LT(plastic.Material.Colour[3], 0.5f);
    EXPECT_EQ(plastic.Material.Finish, TFinish::Glossy);
    // The plastic covers the whole front; the booklet lies behind it, 12 cm square.
    const TExtent face = ExtentOf(plastic.Triangles);
    EXPECT_NEAR(face.High[0], a, 1e-5);
    EXPECT_NEAR(face.Low[2], -c, 1e-5);
    const TExtent booklet = ExtentOf(PartNamed(shape, "booklet").Triangles);
    EXPECT_NEAR(booklet.Size(0), 12.0, 1e-4);
    EXPECT_NEAR(booklet.Size(1), 12.0, 1e-4);
    EXPECT_GT(booklet.Low[2], -c);
    EXPECT_LT(booklet.High[1], b);
    // The hinge rounds the left edge.
    EXPECT_NEAR(ExtentOf(PartNamed(shape, "hinge").Triangles).Low[0], -a, 1e-5);
    // 150 x 118 is a tray card; 137 x 118 its back alone.
    EXPECT_TRUE(IsTrayCard(1500, 1180));
    EXPECT_FALSE(IsTrayCard(1370, 1180));
    EXPECT_FALSE(IsTrayCard(100, 0));
}

TEST(ShapeKinds, EachFacesImageLandsTheRightWayRound)
{
    // Seen from outside each face: where its image's left (s = 0) and bottom
    // (t = 0) lie. The front's left meets the spine (at -x, the box's at +x),
    // the back's right meets it, and the spine's right meets the front.
    struct TCase {
        TShapeKind Kind;
        TArtFace Face;
        const char* Part;
        int Axis;         // along which s grows: 0 x, 2 z
        double SGrows;    // +1 or -1 along that axis
        double SFrom, STo;  // the range of s it shows
    };
    const double share = TrayCardSpineShare;
    const TCase cases[] = {
        {Box, TArtFace::Front, "front", 0, +1, 0, 1},      {Box, TArtFace::Back, "back", 0, -1, 0, 1},
        {Box, TArtFace::Spine, "spine", 2, +1, 0, 1},      {Hardcover, TArtFace::Front, "front", 0, +1, 0, 1},
        {Hardcover, TArtFace::Back, "back", 0, -1, 0, 1},  {Hardcover, TArtFace::Spine, "spine", 2, -1, 0, 1},
        {Paperback, TArtFace::Spine, "spine", 2, -1, 0, 1}, {Dvd, TArtFace::Front, "front", 0, +1, 0, 1},
        {Dvd, TArtFace::Back, "back", 0, -1, 0, 1},        {Dvd, TArtFace::Spine, "spine", 2, -1, 0, 1},
        {Bluray, TArtFace::Spine, "spine", 2, -1, 0, 1},   {Jewel, TArtFace::Front, "booklet", 0, +1, 0, 1},
        {Jewel, TArtFace::Back, "tray card", 0, -1, share, 1 - share},
    };
    for (const TCase& c : cases) {
        const TShape shape = Real(c.Kind);
        const TShapePart& part = PartNamed(shape, c.Part);
        SCOPED_TRACE(shape.Name + " " + c.Part);
        EXPECT_EQ(part.Art, c.Face);
        const TExtent extent = ExtentOf(part.Triangles);
        // s runs from one end to the other along the axis, never back.
        std::vector<std::pair<double, double>> along;
        for (const TShapeVertex& v : part.Triangles) {
            const double p[3] = {v.X, v.Y, v.Z};
            along.emplace_back(c.SGrows * p[c.Axis], v.S);
            // Upright: the bottom (+y) at t = 0.
            EXPECT_NEAR(v.T, (extent.High[1] - v.Y) / extent.Size(1), 1e-4);
        }
        std::sort(along.begin(), along.end());
        EXPECT_NEAR(along.front().second, c.SFrom, 1e-4);
        EXPECT_NEAR(along.back().second, c.STo, 1e-4);
        for (size_t i = 1; i < along.size(); ++i)
            EXPECT_GE(along[i].second, along[i - 1].second - 1e-4);
    }
    // A tray card's strips: at +x its left end, at -x its right end, each
    // running on from the back panel's edge towards the front.
    const TShape jewel = Real(Jewel);
    const TShapePart& strips = PartNamed(jewel, "tray card spines");
    for (const TShapeVertex& v : strips.Triangles) {
        if (v.X > 0)
            EXPECT_LE(v.S, share + 1e-5);
        else
            EXPECT_GE(v.S, 1 - share - 1e-5);
    }
    const TShape spines = MakeShape(Jewel, *RealSize(Jewel), {}, false);
    EXPECT_EQ(PartNamed(spines, "tray card spines").Art, TArtFace::Spine);
}
