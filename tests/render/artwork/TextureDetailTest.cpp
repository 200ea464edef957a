#include "render/framing/SceneBounds.h"
#include "render/artwork/TextureDetail.h"
#include "render/shapes/BoxShape.h"

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

} // namespace

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
