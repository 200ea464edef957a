#include "render/framing/Framing.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

// Where the subject's edges land in the picture, in pixels from each side.
struct TMargins {
    double Left, Right, Bottom, Top;
};

TMargins MarginsOf(const TFraming& framing, const TViewRect& subject)
{
    const TViewRect& f = framing.Frustum;
    const double perUnitX = framing.ViewportWidth / f.Width(), perUnitY = framing.ViewportHeight / f.Height();
    return {(subject.Left - f.Left) * perUnitX, (f.Right - subject.Right) * perUnitX,
            (subject.Bottom - f.Bottom) * perUnitY, (f.Top - subject.Top) * perUnitY};
}

} // namespace

TEST(Framing, CentresTheSubjectWithTheMarginOnItsTighterSide)
{
    const TViewRect tall{-0.1, 0.1, -0.2, 0.2}, wide{0.0, 0.3, 0.0, 0.1};
    struct TCase {
        TViewRect Subject;
        int Width, Height;
        double Margin;
        bool HeightIsTight;
    };
    for (const TCase& c : {TCase{tall, 800, 600, 0.05, true}, TCase{tall, 600, 800, 0.05, true},
                           TCase{tall, 3000, 3000, 0.05, true}, TCase{wide, 800, 600, 0.05, false},
                           TCase{wide, 600, 800, 0.1, false}, TCase{tall, 150, 1000, 0.0, false},
                           TCase{wide, 7, 3, 0.45, false}}) {
        SCOPED_TRACE(testing::Message() << c.Width << " x " << c.Height << " margin " << c.Margin);
        const auto framing = FrameSubject(c.Subject, c.Width, c.Height, c.Margin);
        ASSERT_TRUE(framing);
        // The viewport is the whole picture, and nothing is stretched.
        EXPECT_EQ(framing->ViewportX, 0);
        EXPECT_EQ(framing->ViewportY, 0);
        EXPECT_EQ(framing->ViewportWidth, c.Width);
        EXPECT_EQ(framing->ViewportHeight, c.Height);
        EXPECT_NEAR(framing->Frustum.Width() / framing->Frustum.Height(), double(c.Width) / c.Height, 1e-12);
        const TMargins m = MarginsOf(*framing, c.Subject);
        EXPECT_NEAR(m.Left, m.Right, 1e-9);
        EXPECT_NEAR(m.Bottom, m.Top, 1e-9);
        if (c.HeightIsTight) {
            EXPECT_NEAR(m.Top, c.Margin * c.Height, 1e-9);
            EXPECT_GE(m.Left, c.Margin * c.Width - 1e-9);
        } else {
            EXPECT_NEAR(m.Left, c.Margin * c.Width, 1e-9);
            EXPECT_GE(m.Top, c.Margin * c.Height - 1e-9);
        }
    }
}

TEST(Framing, EdgeOnSubjectsAreFramedByTheirOtherSide)
{
    const auto framing = FrameSubject({0.1, 0.1, 0.0, 0.2}, 100, 100, 0.05);
    ASSERT_TRUE(framing);
    EXPECT_NEAR(framing->Frustum.Height(), 0.2 / 0.9, 1e-12);
    EXPECT_NEAR(framing->Frustum.Left + framing->Frustum.Right, 0.2, 1e-12);
}

TEST(Framing, EmptyOrBrokenSubjectsGiveNothing)
{
    EXPECT_FALSE(FrameSubject({0.1, 0.1, 0.2, 0.2}, 100, 100, 0.05));  // a point
    EXPECT_FALSE(FrameSubject({0.0, std::nan(""), 0.0, 0.2}, 100, 100, 0.05));
    EXPECT_FALSE(FrameSubject({0.2, 0.0, 0.0, 0.2}, 100, 100, 0.05));  // turned inside out
    EXPECT_FALSE(FrameSubject({0.0, 0.2, 0.0, 0.2}, 0, 100, 0.05));
    EXPECT_FALSE(FrameSubject({0.0, 0.2, 0.0, 0.2}, 100, 100, 0.5));  // no room left
}

TEST(Framing, ShiftMovesTheFrustumByPixels)
{
    const auto framing = FrameSubject({-0.1, 0.1, -0.2, 0.2}, 1000, 1000, 0.05);
    ASSERT_TRUE(framing);
    const double pixel = framing->Frustum.Height() / framing->ViewportHeight;
    const TViewRect moved = ShiftedFrustum(*framing, 0.5, -0.25);
    EXPECT_NEAR(moved.Left, framing->Frustum.Left - 0.5 * pixel, 1e-12);
    EXPECT_NEAR(moved.Right, framing->Frustum.Right - 0.5 * pixel, 1e-12);
    EXPECT_NEAR(moved.Bottom, framing->Frustum.Bottom + 0.25 * pixel, 1e-12);
    EXPECT_NEAR(moved.Top, framing->Frustum.Top + 0.25 * pixel, 1e-12);
}
