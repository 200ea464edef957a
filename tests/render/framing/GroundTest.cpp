#include "render/framing/Ground.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

TEST(Ground, IsTheBoxsLowerSideWhateverTheSignsOfItsSizes)
{
    for (const float sign : {1.0f, -1.0f}) {
        const TGround g = GroundOf(20 * sign, 30 * sign, 5 * sign);
        EXPECT_EQ(g.Y, 15.0);
        EXPECT_EQ(g.HalfWidth, 10.0);
        EXPECT_EQ(g.HalfDepth, 2.5);
        EXPECT_EQ(g.ShadowReach, 10.0);
        EXPECT_NEAR(g.ReflectionReach, 12.0, 1e-12);
    }
}

TEST(Ground, ShadowIsDarkestAtTheFootAndEndsWithoutAnEdge)
{
    EXPECT_EQ(ShadowFalloff(0.0), 1.0);
    EXPECT_EQ(ShadowFalloff(-1.0), 1.0);
    EXPECT_EQ(ShadowFalloff(1.0), 0.0);
    EXPECT_EQ(ShadowFalloff(7.0), 0.0);
    for (double t = 0.01; t <= 1.0; t += 0.01)
        EXPECT_LT(ShadowFalloff(t), ShadowFalloff(t - 0.01)) << t;
    // Falling faster than a straight ramp by the foot, still there half way
    // out, and flat where it ends.
    EXPECT_LT(ShadowFalloff(0.1), 0.8);
    EXPECT_GT(ShadowFalloff(0.5), 0.15);
    EXPECT_LT(ShadowFalloff(0.99), 0.002);
}

TEST(Ground, ShadowMapFollowsTheDistanceFromTheFootprint)
{
    const TGround g = GroundOf(20, 30, 5);
    const TGroundRect r = ShadowRect(g);
    EXPECT_EQ(r.Left, -20.0);
    EXPECT_EQ(r.Right, 20.0);
    EXPECT_EQ(r.Near, -12.5);
    EXPECT_EQ(r.Far, 12.5);
    const int side = 64;
    const std::vector<uint8_t> map = ShadowAlphaMap(g, side);
    ASSERT_EQ(map.size(), size_t(side * side));
    auto at = [&](int row, int column) { return map[size_t(row * side + column)]; };
    EXPECT_EQ(at(side / 2, side / 2), 255);  // under the box
    EXPECT_EQ(at(0, 0), 0);                  // the corners lie beyond the reach
    for (int i = 0; i < side; ++i) {
        // Symmetric both ways.
        EXPECT_EQ(at(i, 5), at(side - 1 - i, 5));
        EXPECT_EQ(at(5, i), at(5, side - 1 - i));
        // Along the middle row, out from the spine's side: the falloff of the
        // distance from x = 10.
        const double x = r.Left + (i + 0.5) / side * (r.Right - r.Left);
        const double expected = 255.0 * ShadowFalloff(std::max(0.0, std::abs(x) - 10.0) / 10.0);
        EXPECT_NEAR(at(side / 2, i), expected, 0.5) << i;
    }
}

TEST(Ground, FadesSpanTheirReachFromTexelCentreToTexelCentre)
{
    const TFadeMap map = FadeMap(12.0);
    EXPECT_NEAR(map.Offset * FadeLevelCount, 0.5, 1e-12);
    EXPECT_NEAR((map.Scale * 12.0 + map.Offset) * FadeLevelCount, FadeLevelCount - 0.5, 1e-9);
    const std::vector<uint8_t> floor = FloorFadeLevels();
    EXPECT_EQ(floor.front(), 255);
    EXPECT_EQ(floor.back(), 0);
    EXPECT_TRUE(std::is_sorted(floor.rbegin(), floor.rend()));
}
