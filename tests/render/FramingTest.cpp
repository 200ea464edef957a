#include "render/Framing.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

// The view plane's extent of the window's view: tan 22.5 degrees high.
constexpr double HalfHeight = 0.41421356237309503;
constexpr double HalfWidth = HalfHeight * 1150.0 / 880.0;

} // namespace

TEST(Framing, WindowViewIs45DegreesHighAtTheDesignAspect)
{
    const TViewRect view = WindowViewRect();
    EXPECT_NEAR(view.Top, HalfHeight, 1e-12);
    EXPECT_NEAR(view.Bottom, -HalfHeight, 1e-12);
    EXPECT_NEAR(view.Right, HalfWidth, 1e-12);
    EXPECT_NEAR(view.Left, -HalfWidth, 1e-12);
}

namespace {

std::optional<TFraming> FrameBox(const TViewRect& box, int width, int height)
{
    return FrameScene({.Box = box, .Surroundings = std::nullopt}, width, height);
}

} // namespace

TEST(Framing, TallBoxFillsThePicturesHeightCentred)
{
    // 0.2 wide, 0.4 high: the margin is 5% of 0.4 on every side.
    const auto framing = FrameBox({-0.1, 0.1, -0.2, 0.2}, 1000, 1000);
    ASSERT_TRUE(framing);
    EXPECT_EQ(framing->ViewportHeight, 1000);
    EXPECT_EQ(framing->ViewportWidth, 545);  // 0.24 / 0.44 of 1000, rounded
    EXPECT_EQ(framing->ViewportX, 227);
    EXPECT_EQ(framing->ViewportY, 0);
    // Within half a pixel of the rectangle with its margin.
    EXPECT_NEAR(framing->Frustum.Bottom, -0.22, 2.5e-4);
    EXPECT_NEAR(framing->Frustum.Top, 0.22, 2.5e-4);
    // The frustum's aspect is the viewport's: nothing is stretched.
    EXPECT_NEAR(framing->Frustum.Width() / framing->Frustum.Height(), 545.0 / 1000.0, 1e-12);
    EXPECT_NEAR(framing->Frustum.Left + framing->Frustum.Right, 0.0, 1e-12);
}

TEST(Framing, WideBoxFillsThePicturesWidth)
{
    const auto framing = FrameBox({0.0, 0.3, 0.0, 0.1}, 800, 600);
    ASSERT_TRUE(framing);
    EXPECT_EQ(framing->ViewportWidth, 800);
    EXPECT_EQ(framing->ViewportHeight, 315);  // (0.1 + 0.03) / (0.3 + 0.03) of 800
    EXPECT_EQ(framing->ViewportY, (600 - 315) / 2);
    EXPECT_NEAR(framing->Frustum.Left, -0.015, 2.5e-4);
    EXPECT_NEAR(framing->Frustum.Right, 0.315, 2.5e-4);
    EXPECT_NEAR(framing->Frustum.Width() / framing->Frustum.Height(), 800.0 / 315.0, 1e-12);
    EXPECT_NEAR((framing->Frustum.Bottom + framing->Frustum.Top) / 2, 0.05, 1e-12);
}

TEST(Framing, SurroundingsTakeNoMarginAndTheBoxKeepsItsOwn)
{
    const TViewRect view = WindowViewRect();
    // A floor that fills the view's lower half, with a box standing on it.
    const TViewRect floor{view.Left, view.Right, view.Bottom, 0.0};
    const auto framing = FrameScene({.Box = TViewRect{-0.1, 0.1, -0.1, 0.3}, .Surroundings = floor}, 1150, 880);
    ASSERT_TRUE(framing);
    const double pixel = framing->Frustum.Height() / framing->ViewportHeight;
    EXPECT_NEAR(framing->Frustum.Left, view.Left, pixel);
    EXPECT_NEAR(framing->Frustum.Right, view.Right, pixel);
    EXPECT_NEAR(framing->Frustum.Bottom, view.Bottom, pixel);
    EXPECT_NEAR(framing->Frustum.Top, 0.3 + 0.05 * 0.4, pixel);
    // Surroundings alone are shown as they are.
    const auto alone = FrameScene({.Box = std::nullopt, .Surroundings = floor}, 1150, 880);
    ASSERT_TRUE(alone);
    EXPECT_NEAR(alone->Frustum.Top, 0.0, pixel);
}

TEST(Framing, EmptyScenesGiveNothing)
{
    EXPECT_FALSE(FrameScene({}, 100, 100));
    EXPECT_FALSE(FrameBox({0.1, 0.1, 0.2, 0.2}, 100, 100));  // a point
    EXPECT_FALSE(FrameBox({0.0, std::nan(""), 0.0, 0.2}, 100, 100));
    EXPECT_FALSE(FrameBox({0.0, 0.2, 0.0, 0.2}, 0, 100));
    EXPECT_FALSE(FrameScene({.Box = std::nullopt, .Surroundings = TViewRect{0.0, 0.2, 0.1, 0.1}}, 100, 100));
    // A box seen edge-on still gets its margin.
    EXPECT_TRUE(FrameBox({0.1, 0.1, 0.0, 0.2}, 100, 100));
}

TEST(Framing, ExtremeAspectsKeepAPixel)
{
    const auto thin = FrameBox({0.0, 0.4, 0.0, 0.0001}, 100, 100);
    ASSERT_TRUE(thin);
    EXPECT_EQ(thin->ViewportWidth, 100);
    EXPECT_GE(thin->ViewportHeight, 1);
    const auto small = FrameBox({0.0, 0.2, 0.0, 0.2}, 1, 1);
    ASSERT_TRUE(small);
    EXPECT_EQ(small->ViewportWidth, 1);
    EXPECT_EQ(small->ViewportHeight, 1);
}

TEST(Framing, ShiftMovesTheFrustumByPixels)
{
    const auto framing = FrameBox({-0.1, 0.1, -0.2, 0.2}, 1000, 1000);
    ASSERT_TRUE(framing);
    const double pixel = framing->Frustum.Height() / framing->ViewportHeight;
    const TViewRect moved = ShiftedFrustum(*framing, 0.5, -0.25);
    EXPECT_NEAR(moved.Left, framing->Frustum.Left - 0.5 * pixel, 1e-12);
    EXPECT_NEAR(moved.Right, framing->Frustum.Right - 0.5 * pixel, 1e-12);
    EXPECT_NEAR(moved.Bottom, framing->Frustum.Bottom + 0.25 * pixel, 1e-12);
    EXPECT_NEAR(moved.Top, framing->Frustum.Top + 0.25 * pixel, 1e-12);
}
