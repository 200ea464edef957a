#include "render/framing/SceneBounds.h"
#include "render/artwork/TextureDetail.h"
#include "render/shapes/BoxShape.h"
#include "render/shapes/ShapeKinds.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using enum TArtFace;

TShape Box(float width, float height, float depth, const TBoxOptions& options = {})
{
    return BoxShape({width, height, depth}, options);
}

const TBoxQuad& QuadOf(const std::vector<TBoxQuad>& quads, TArtFace face)
{
    for (const TBoxQuad& quad : quads)
        if (ArtFaceOf(quad) == face)
            return quad;
    throw std::logic_error("no such face");
}

// How many pixels a side of the quad from vertex a to vertex b spans in a
// picture that frames the box alone, and how much of the image it shows.
double SidePixels(const TShape& shape, const TBoxQuad& quad, int a, int b, float xr, float yr,
                  int width, int height)
{
    const TViewRect bounds = *SubjectBounds(shape, xr, yr, TGround{});
    const double scale = std::min(width / bounds.Width(), height / bounds.Height());
    const TBoxVertex &va = quad.Vertices[size_t(a)], &vb = quad.Vertices[size_t(b)];
    const TEyePoint pa = EyePoint(va.X, va.Y, va.Z, xr, yr), pb = EyePoint(vb.X, vb.Y, vb.Z, xr, yr);
    return scale * std::hypot(pa.X / -pa.Z - pb.X / -pb.Z, pa.Y / -pa.Z - pb.Y / -pb.Z);
}

// Picture pixels per unit of the quad's image along its side from vertex a
// to vertex b, at `scale` picture pixels per unit of the view plane.
double SideDensity(const TBoxQuad& quad, int a, int b, float xr, float yr, double scale)
{
    const TBoxVertex &va = quad.Vertices[size_t(a)], &vb = quad.Vertices[size_t(b)];
    const TEyePoint pa = EyePoint(va.X, va.Y, va.Z, xr, yr), pb = EyePoint(vb.X, vb.Y, vb.Z, xr, yr);
    const double pixels = scale * std::hypot(pa.X / -pa.Z - pb.X / -pb.Z, pa.Y / -pa.Z - pb.Y / -pb.Z);
    return pixels / std::max(std::abs(va.S - vb.S), std::abs(va.T - vb.T));
}

TShapeView View(float xr, float yr, double scale, std::optional<double> mirrorY = std::nullopt)
{
    return {.XRotation = xr, .YRotation = yr, .PixelsPerUnit = scale, .MirrorY = mirrorY};
}

} // namespace

TEST(TextureDetail, EachFaceNeedsWhatThePicturesDrawnOfItShowAndNoMore)
{
    constexpr double Scale = 1500;  // a 600-pixel picture of a 20-unit box, about
    const TBoxSize size{20, 30, 5};
    const TShape box = Box(20, 30, 5);
    const std::vector<TBoxQuad> quads = BoxQuads(20, 30, 5, {});
    enum TExpect { Measured, Seen, Unseen };
    struct TCase {
        const char* What;
        TShape Shape;
        float X, Y;
        TArtFace Face;
        TExpect Expect;
    };
    const TCase cases[] = {
        {"the front, faced", box, 0, 0, Front, Measured},
        {"the front at three quarters", box, 25, 30, Front, Measured},
        {"the back turned to the eye", box, 0, 180, Back, Measured},
        {"the back turned away", box, 0, 0, Back, Unseen},
        {"the front turned away", box, 10, 200, Front, Unseen},
        {"the back of an open box, seen inside it", Box(20, 30, 5, {.LidOpen = true}), 0, 0, Back, Seen},
        {"the back cover of a book look, seen past the pages", Box(20, 30, 5, {.Book = true}), 0, 0, Back, Seen},
        {"a hardcover's front board, turned away", MakeShape(TShapeKind::Hardcover, size, {}), 0, 180, Front, Seen},
        {"a jewel case's booklet, through the clear back", MakeShape(TShapeKind::Jewel, size, {}), 0, 180, Front,
         Seen},
    };
    for (const TCase& c : cases) {
        const TImageNeed need = FaceImageNeeds(c.Shape, {View(c.X, c.Y, Scale)})[size_t(c.Face)];
        if (c.Expect == Unseen) {
            EXPECT_EQ(need, UnseenNeed) << c.What;
            continue;
        }
        EXPECT_GT(need.Width, 50) << c.What;
        EXPECT_GT(need.Height, 50) << c.What;
        if (c.Expect != Measured)
            continue;
        // Never below 1.4 times what any side shows on average (read at 1.4
        // times the detail drawn), and not far above it (a side's near
        // end is seen finer than its mean).
        const TBoxQuad& quad = QuadOf(quads, c.Face);
        double alongS = 0, alongT = 0;
        for (int side = 0; side < 4; ++side) {
            const int next = (side + 1) % 4;
            double& along = quad.Vertices[size_t(side)].S != quad.Vertices[size_t(next)].S ? alongS : alongT;
            along = std::max(along, SideDensity(quad, side, next, c.X, c.Y, Scale));
        }
        EXPECT_GE(need.Width, 1.4 * alongS) << c.What;
        EXPECT_GE(need.Height, 1.4 * alongT) << c.What;
        EXPECT_LE(need.Width, 2.4 * alongS) << c.What;
        EXPECT_LE(need.Height, 2.4 * alongT) << c.What;
    }
}

TEST(TextureDetail, APictureSetTakesItsFinestViewAndAReflectionShowsWhatItTurnsToTheEye)
{
    const TShape box = Box(20, 30, 5);
    const TShapeView faced = View(0, 0, 1000), turned = View(0, 180, 1000), larger = View(0, 0, 2000);
    const TFaceNeeds both = FaceImageNeeds(box, {faced, turned});
    EXPECT_EQ(both, Larger(FaceImageNeeds(box, {faced}), FaceImageNeeds(box, {turned})));
    EXPECT_NE(both[size_t(Front)], UnseenNeed);
    EXPECT_NE(both[size_t(Back)], UnseenNeed);
    const TImageNeed front = FaceImageNeeds(box, {faced})[size_t(Front)], twice = FaceImageNeeds(box, {larger})[size_t(Front)];
    EXPECT_NEAR(twice.Width, 2 * front.Width, 2);
    EXPECT_NEAR(twice.Height, 2 * front.Height, 2);
    // Seen level with its middle, the box hides its top; the floor mirrors
    // its underside, printed with the top's image, to the eye.
    const TGround ground = GroundOf(20, 30, 5);
    const TShapeView low = View(0, 30, 1000), mirrored = View(0, 30, 1000, ground.Y);
    EXPECT_EQ(FaceImageNeeds(box, {low})[size_t(Top)], UnseenNeed);
    EXPECT_NE(FaceImageNeeds(box, {mirrored})[size_t(Top)], UnseenNeed);
    // No picture: every face the shape shows needs the least; the floor's
    // image, which the background shows, stays unbounded.
    const TFaceNeeds none = FaceImageNeeds(Box(20, 30, 5, {.Floor = true}), std::vector<TShapeView>{});
    EXPECT_EQ(none[size_t(Front)], UnseenNeed);
    EXPECT_EQ(none[size_t(Floor)], TImageNeed{});
}

TEST(TextureDetail, AFaceNeedsAtLeastWhatAnyPoseShowsOfItAlongEitherSide)
{
    const std::vector<TBoxQuad> quads = BoxQuads(20, 30, 3, {});
    const TShape shape = Box(20, 30, 3);
    const auto needs = FaceImageNeeds(shape, 600, 600);
    const TBoxQuad& front = QuadOf(quads, Front);
    // Poses off the ones looked at; the front spans its image once each way.
    for (const auto& [xr, yr] : {std::pair{0.0f, 0.0f}, {13.0f, -37.0f}, {-24.0f, 51.0f}, {87.0f, 3.0f}}) {
        for (int side = 0; side < 4; ++side) {
            const TBoxVertex &a = front.Vertices[size_t(side)], &b = front.Vertices[size_t((side + 1) % 4)];
            const double pixels = SidePixels(shape, front, side, (side + 1) % 4, xr, yr, 600, 600);
            if (a.S != b.S)
                EXPECT_GE(needs[size_t(Front)].Width, pixels / std::abs(a.S - b.S)) << xr << ", " << yr;
            else
                EXPECT_GE(needs[size_t(Front)].Height, pixels / std::abs(a.T - b.T)) << xr << ", " << yr;
        }
    }
    // A tall box's front needs more rows than columns, and its thin spine
    // few columns.
    EXPECT_GT(needs[size_t(Front)].Height, needs[size_t(Front)].Width);
    EXPECT_LT(needs[size_t(Spine)].Width, needs[size_t(Front)].Width / 4);
    EXPECT_EQ(needs[size_t(Back)], needs[size_t(Front)]);
}

TEST(TextureDetail, NeedsGrowWithThePictureAndTheFloorAndHiddenFacesAreUnbounded)
{
    const TShape quads = Box(20, 30, 5, {.Floor = true});
    const auto small = FaceImageNeeds(quads, 300, 200), large = FaceImageNeeds(quads, 3000, 2000);
    for (const TArtFace face : {Front, Spine, Back, Top}) {
        EXPECT_NEAR(large[size_t(face)].Width, 10 * small[size_t(face)].Width, 10);
        EXPECT_NEAR(large[size_t(face)].Height, 10 * small[size_t(face)].Height, 10);
        EXPECT_LT(small[size_t(face)].Width, 400);
    }
    EXPECT_EQ(small[size_t(Floor)], TImageNeed{});
    EXPECT_EQ(small[size_t(Plain)], TImageNeed{});  // the flaps of a closed box
    EXPECT_NE(FaceImageNeeds(Box(20, 30, 5, {.LidOpen = true}), 300, 200)[size_t(Plain)], TImageNeed{});
    // A box that reaches the eye, which no shot draws, bounds nothing.
    EXPECT_EQ(FaceImageNeeds(Box(20, 300, 5), 300, 200)[size_t(Front)], TImageNeed{});
}
