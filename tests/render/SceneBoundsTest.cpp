#include "render/SceneBounds.h"

#include <gtest/gtest.h>

namespace {

void ExpectRect(const std::optional<TViewRect>& rect, double left, double right, double bottom, double top)
{
    ASSERT_TRUE(rect);
    EXPECT_NEAR(rect->Left, left, 1e-6);
    EXPECT_NEAR(rect->Right, right, 1e-6);
    EXPECT_NEAR(rect->Bottom, bottom, 1e-6);
    EXPECT_NEAR(rect->Top, top, 1e-6);
}

} // namespace

TEST(SceneBounds, BoxAtRestIsItsNearFaceSeenFrom50Away)
{
    // 20 x 30 x 5, moved to (-10, 0, -50): the near face at z = -47.5 spans
    // x from -20 to 0 and y from -15 to 15.
    const TSceneBounds bounds = SceneBounds(BoxQuads(20, 30, 5, {}), 0.0f, 0.0f, false);
    ExpectRect(bounds.Box, -20.0 / 47.5, 0.0, -15.0 / 47.5, 15.0 / 47.5);
    EXPECT_FALSE(bounds.Surroundings);
}

TEST(SceneBounds, TurnsFollowTheFramesOrder)
{
    // A quarter turn about y shows the box edge-on, 20 deep from z = -40 to
    // -60 and 5 wide; a quarter turn about x lays it down, 30 deep.
    const TSceneBounds side = SceneBounds(BoxQuads(20, 30, 5, {}), 0.0f, 90.0f, false);
    ExpectRect(side.Box, -12.5 / 40.0, -7.5 / 60.0, -15.0 / 40.0, 15.0 / 40.0);
    const TSceneBounds lying = SceneBounds(BoxQuads(20, 30, 5, {}), 90.0f, 0.0f, false);
    ExpectRect(lying.Box, -20.0 / 35.0, 0.0, -2.5 / 35.0, 2.5 / 35.0);
}

TEST(SceneBounds, OpenLidRisesAboveTheWindowsViewAndIsKept)
{
    const TViewRect view = WindowViewRect();
    const TSceneBounds bounds = SceneBounds(BoxQuads(20, 40, 10, {.LidOpen = true}), -0.25f, 40.0f, false);
    ASSERT_TRUE(bounds.Box);
    EXPECT_GT(bounds.Box->Top, view.Top);
}

TEST(SceneBounds, FloorAndBackgroundStopAtTheWindowsView)
{
    const TViewRect view = WindowViewRect();
    // The floor 1 below the box (eye y = -16) runs from 647.5 away to behind the eye.
    const TSceneBounds floor = SceneBounds(BoxQuads(20, 30, 5, {.Floor = true}), 0.0f, 0.0f, false);
    ExpectRect(floor.Box, -20.0 / 47.5, 0.0, -15.0 / 47.5, 15.0 / 47.5);
    ExpectRect(floor.Surroundings, view.Left, view.Right, view.Bottom, -16.0 / 647.5);
    // The background: x from -55 to 15 and y from -35 to 35 at z = -65.
    const TSceneBounds back = SceneBounds(BoxQuads(20, 30, 5, {}), 0.0f, 0.0f, true);
    ExpectRect(back.Surroundings, view.Left, 15.0 / 65.0, view.Bottom, view.Top);
}

TEST(SceneBounds, FlatBoxHasNoArea)
{
    const TSceneBounds bounds = SceneBounds(BoxQuads(0, 0, 0, {}), 0.0f, 0.0f, false);
    ASSERT_TRUE(bounds.Box);
    EXPECT_EQ(bounds.Box->Width(), 0.0);
    EXPECT_FALSE(FrameScene(bounds, 100, 100));
}
