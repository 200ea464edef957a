#include "render/scene/Surroundings.h"
#include "render/shapes/BoxShape.h"

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
    const TShape quads = BoxShape({20, 30, 5}, {.Floor = true});
    // At rest the box's far face lies 52.5 away.
    const TDepthRange open = FloorFadeDepths(quads, 0.0f, 0.0f, false);
    EXPECT_NEAR(open.Start, 52.5, 1e-9);
    EXPECT_NEAR(open.End, 52.5 + 90.0, 1e-9);
    const TDepthRange backed = FloorFadeDepths(quads, 0.0f, 0.0f, true);
    EXPECT_NEAR(backed.End, 65.0, 1e-9);
    EXPECT_NEAR(backed.Start, 50.0, 1e-9);
    // A small box ends its fade well before the billboard.
    EXPECT_NEAR(FloorFadeDepths(BoxShape({4, 6, 1}, {}), 0.0f, 0.0f, true).Start, 50.5, 1e-9);
}

TEST(Surroundings, FloorPatchRepeatsTheWindowsFloorAroundTheEye)
{
    const TBoxQuad floor = BoxQuads(20, 30, 5, {.Floor = true}).back();
    ASSERT_EQ(floor.Face, TBoxFace::Floor);
    // Frame corners 1.2 and 0.5 off the axis: 200 * sqrt(1 + 1.44 + 0.25) * 1.02 either side.
    const auto patch = FloorPatch(floor, 15.0, {30.0, 0.0, -40.0}, {-1.2, 0.4, -0.3, 0.5}, 200.0);
    const double half = 200.0 * std::sqrt(1.0 + 1.44 + 0.25) * 1.02;
    EXPECT_NEAR(patch[0].X, 30.0 - half, 1e-3);
    EXPECT_NEAR(patch[2].X, 30.0 + half, 1e-3);
    EXPECT_NEAR(patch[0].Z, -40.0 - half, 1e-3);
    EXPECT_NEAR(patch[2].Z, -40.0 + half, 1e-3);
    for (const TBoxVertex& v : patch) {
        EXPECT_EQ(v.Y, 15.0f);
        // The window's floor: s from 0 at x = -610 to 1 at x = 590, t likewise along z.
        EXPECT_NEAR(v.S, (v.X + 610.0) / 1200.0, 1e-5);
        EXPECT_NEAR(v.T, (v.Z + 602.5) / 1200.0, 1e-5);
    }
}
