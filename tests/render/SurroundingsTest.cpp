#include "render/Surroundings.h"

#include "view/ViewCamera.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(Surroundings, BackgroundGrowsOnlyAsFarAsThePictureNeeds)
{
    // The billboard, 70 wide at depth 65 around x = -20: -55/65 to 15/65.
    EXPECT_EQ(BackgroundScale({-0.5, 0.1, -0.3, 0.3}), 1.0);
    for (const TViewRect frame : {TViewRect{-0.6, 0.3, -0.3, 0.3}, {-2.0, 0.0, -0.1, 0.1}, {-0.3, 0.0, -0.4, 1.5}}) {
        const double half = BackgroundScale(frame) * 35.0 / 65.0, x = -20.0 / 65.0;
        EXPECT_LE(x - half, frame.Left);
        EXPECT_GE(x + half, frame.Right);
        EXPECT_LE(-half, frame.Bottom);
        EXPECT_GE(half, frame.Top);
        EXPECT_LT(half, 1.05 * std::max({x - frame.Left, frame.Right - x, -frame.Bottom, frame.Top}));
    }
}

TEST(Surroundings, FloorFadesBehindTheBoxOrByTheBillboard)
{
    const std::vector<TBoxQuad> quads = BoxQuads(20, 30, 5, {.Floor = true});
    // At rest the box's far face lies 52.5 away.
    const TDepthRange open = FloorFadeDepths(quads, 0.0f, 0.0f, false);
    EXPECT_NEAR(open.Start, 52.5, 1e-9);
    EXPECT_NEAR(open.End, 52.5 + 90.0, 1e-9);
    const TDepthRange backed = FloorFadeDepths(quads, 0.0f, 0.0f, true);
    EXPECT_NEAR(backed.End, 65.0, 1e-9);
    EXPECT_NEAR(backed.Start, 50.0, 1e-9);
    // A small box ends its fade well before the billboard.
    EXPECT_NEAR(FloorFadeDepths(BoxQuads(4, 6, 1, {}), 0.0f, 0.0f, true).Start, 50.5, 1e-9);
}

namespace {

// A point of eye space in the box's frame: the turn is a rotation, so its
// inverse takes the components along the turned axes.
TEyePoint BoxPointOf(const TEyePoint& p, float xRotation, float yRotation)
{
    const TEyePoint o = EyePoint(0, 0, 0, xRotation, yRotation);
    auto along = [&](double x, double y, double z) {
        const TEyePoint axis = EyePoint(x, y, z, xRotation, yRotation);
        return (p.X - o.X) * (axis.X - o.X) + (p.Y - o.Y) * (axis.Y - o.Y) + (p.Z - o.Z) * (axis.Z - o.Z);
    };
    return {along(1, 0, 0), along(0, 1, 0), along(0, 0, 1)};
}

} // namespace

TEST(Surroundings, FloorPatchRepeatsTheWindowsFloorAndReachesEveryEdge)
{
    const TBoxQuad floor = BoxQuads(20, 30, 5, {.Floor = true}).back();
    ASSERT_EQ(floor.Face, TBoxFace::Floor);
    const TViewRect frame{-1.2, 0.4, -0.3, 0.5};
    for (const auto& [xRotation, yRotation] : {std::pair(31.5f, -45.0f), {0.0f, 0.0f}, {10.0f, 120.0f}}) {
        SCOPED_TRACE(testing::Message() << xRotation << ", " << yRotation);
        const auto patch = FloorPatch(floor, 15.0, EyeInBoxFrame(xRotation, yRotation), frame, 200.0);
        for (const TBoxVertex& v : patch) {
            EXPECT_EQ(v.Y, 15.0f);
            // The window's floor: s from 0 at x = -610 to 1 at x = 590, t likewise along z.
            EXPECT_NEAR(v.S, (v.X + 610.0) / 1200.0, 1e-5);
            EXPECT_NEAR(v.T, (v.Z + 602.5) / 1200.0, 1e-5);
        }
        // Rays through a grid over the frame meet the floor inside the patch
        // wherever they meet it at depth 200 or nearer.
        int hits = 0;
        for (double u = frame.Left; u <= frame.Right; u += 0.05)
            for (double w = frame.Bottom; w <= frame.Top; w += 0.05)
                for (double depth = 1.0; depth <= 200.0; depth += 1.0) {
                    const TEyePoint p = BoxPointOf({u * depth, w * depth, -depth}, xRotation, yRotation);
                    if (std::abs(p.Y - 15.0) > 0.5)
                        continue;
                    ++hits;
                    EXPECT_GE(p.X, patch[0].X);
                    EXPECT_LE(p.X, patch[2].X);
                    EXPECT_GE(p.Z, patch[0].Z);
                    EXPECT_LE(p.Z, patch[2].Z);
                }
        EXPECT_GT(hits, 100);
    }
}
