#include "render/framing/SceneBounds.h"
#include "render/shapes/BoxShape.h"

#include "view/StylePresets.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

void ExpectRect(const std::optional<TViewRect>& rect, double left, double right, double bottom, double top,
                double tolerance = 1e-6)
{
    ASSERT_TRUE(rect);
    EXPECT_NEAR(rect->Left, left, tolerance);
    EXPECT_NEAR(rect->Right, right, tolerance);
    EXPECT_NEAR(rect->Bottom, bottom, tolerance);
    EXPECT_NEAR(rect->Top, top, tolerance);
}

// The box alone: a ground with nothing on it.
TGround Bare(float width, float height, float depth)
{
    TGround ground = GroundOf(width, height, depth);
    ground.ShadowReach = ground.ReflectionReach = 0.0;
    return ground;
}

} // namespace

TEST(SceneBounds, BoxAtRestIsItsNearFaceSeenFrom50Away)
{
    // 20 x 30 x 5, moved to (-10, 0, -50): the near face at z = -47.5 spans
    // x from -20 to 0 and y from -15 to 15. The floor is left out.
    ExpectRect(SubjectBounds(BoxShape({20, 30, 5}, {.Floor = true}), 0.0f, 0.0f, Bare(20, 30, 5)), -20.0 / 47.5, 0.0,
               -15.0 / 47.5, 15.0 / 47.5);
}

TEST(SceneBounds, TurnsFollowTheFramesOrder)
{
    // A quarter turn about y shows the box edge-on, 20 deep from z = -40 to
    // -60 and 5 wide; a quarter turn about x lays it down, 30 deep.
    ExpectRect(SubjectBounds(BoxShape({20, 30, 5}, {}), 0.0f, 90.0f, Bare(20, 30, 5)), -12.5 / 40.0, -7.5 / 60.0,
               -15.0 / 40.0, 15.0 / 40.0);
    ExpectRect(SubjectBounds(BoxShape({20, 30, 5}, {}), 90.0f, 0.0f, Bare(20, 30, 5)), -20.0 / 35.0, 0.0, -2.5 / 35.0,
               2.5 / 35.0);
}

TEST(SceneBounds, ShadowAndReflectionWidenTheBoundsOnTheGround)
{
    // At rest the ground lies 15 below the eye. The shadow reaches 10 out
    // from the footprint: its near edge at depth 37.5, its widest at the
    // rounded corners by the near face.
    TGround shadow = GroundOf(20, 30, 5);
    shadow.ReflectionReach = 0.0;
    double left = 0.0;
    for (double a = 0.0; a <= 1.5708; a += 1e-4)
        left = std::min(left, -(20.0 + 10.0 * std::cos(a)) / (47.5 - 10.0 * std::sin(a)));
    ExpectRect(SubjectBounds(BoxShape({20, 30, 5}, {}), 0.0f, 0.0f, shadow), left, 0.2155, -15.0 / 37.5, 15.0 / 47.5,
               2e-3);
    // The reflection shows 12 below the ground: the near face mirrored down
    // to 27 below the eye.
    TGround reflection = GroundOf(20, 30, 5);
    reflection.ShadowReach = 0.0;
    ExpectRect(SubjectBounds(BoxShape({20, 30, 5}, {}), 0.0f, 0.0f, reflection), -20.0 / 47.5, 0.0, -27.0 / 47.5,
               15.0 / 47.5);
}

TEST(SceneBounds, TheEyeAndItsDepthsInTheBoxsFrame)
{
    for (const auto& [x, y] : {std::pair(0.0f, 0.0f), {31.5f, 31.5f}, {-50.0f, 18.0f}, {12.25f, -170.0f}}) {
        SCOPED_TRACE(testing::Message() << x << ", " << y);
        const TEyePoint eye = EyeInBoxFrame(x, y);
        const TEyePoint back = EyePoint(eye.X, eye.Y, eye.Z, x, y);
        EXPECT_NEAR(back.X, 0.0, 1e-9);
        EXPECT_NEAR(back.Y, 0.0, 1e-9);
        EXPECT_NEAR(back.Z, 0.0, 1e-9);
        const std::array<double, 4> plane = DepthPlane(x, y);
        for (const TEyePoint& p : {TEyePoint{0, 0, 0}, {10, -15, 2.5}, {-600, 16, 600}}) {
            const double depth = plane[0] * p.X + plane[1] * p.Y + plane[2] * p.Z + plane[3];
            EXPECT_NEAR(depth, -EyePoint(p.X, p.Y, p.Z, x, y).Z, 1e-9);
        }
    }
    EXPECT_EQ(EyeInBoxFrame(0.0f, 0.0f).Z, -50.0);
}

TEST(SceneBounds, OnlyTheLastPresetLooksAtTheGroundFromBelow)
{
    const auto presets = StylePresetTable();
    for (size_t i = 0; i < presets.size(); ++i)
        EXPECT_EQ(SeesGroundFromAbove(GroundOf(20, 30, 5), presets[i].XRotation, presets[i].YRotation), i != 4) << i;
}

TEST(SceneBounds, FlatBoxHasNoArea)
{
    const auto bounds = SubjectBounds(BoxShape({0, 0, 0}, {}), 0.0f, 0.0f, GroundOf(0, 0, 0));
    ASSERT_TRUE(bounds);
    EXPECT_EQ(bounds->Width(), 0.0);
    EXPECT_FALSE(FrameSubject(*bounds, 100, 100, DefaultMargin));
}

TEST(SceneBounds, TheSubjectReachesAsFarAsItsBoxItsShadowOrItsReflection)
{
    // 20 x 30 x 5: the reflection's depth, 0.4 of the height below the
    // ground, reaches farthest; the floor does not count.
    const TGround ground = GroundOf(20, 30, 5);
    EXPECT_NEAR(SubjectReach(BoxShape({20, 30, 5}, {.Floor = true}), ground), std::hypot(10.0, 27.0, 2.5), 1e-5);
    // A cube: the shadow's corners, a third of its height out.
    EXPECT_NEAR(SubjectReach(BoxShape({30, 30, 30}, {}), GroundOf(30, 30, 30)), std::hypot(25.0, 15.0, 25.0), 1e-5);
    // A thin plate: the outer corners of its open lid's side flaps.
    EXPECT_NEAR(SubjectReach(BoxShape({2, 0.1f, 60}, {.LidOpen = true}), GroundOf(2, 0.1f, 60)),
                std::hypot(3.0, 2.05, 30.0), 1e-4);
    EXPECT_NEAR(ViewReach(), 49.9, 1e-9);
}
