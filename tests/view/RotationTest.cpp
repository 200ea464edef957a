#include "view/Rotation.h"

#include <gtest/gtest.h>

namespace {

struct TDrag {
    float X = 0.0f;
    float Y = 0.0f;
    void Move(TCursorPos from, TCursorPos to) { ApplyDragStep(X, Y, from, to); }
};

} // namespace

TEST(DragStep, TwoPixelsAcrossMakeOneDegreeAndFourDownMakeOne)
{
    TDrag drag;
    drag.Move({100, 100}, {190, 100});
    EXPECT_EQ(drag.Y, 45.0f);
    drag.Move({190, 100}, {190, 140});
    EXPECT_EQ(drag.X, 10.0f);
    drag.Move({190, 140}, {189, 139});
    EXPECT_EQ(drag.Y, 44.5f);
    EXPECT_EQ(drag.X, 9.75f);
}

TEST(DragStep, VerticalBoundIsTestedBeforeTheStepAndHoldsAtExactlySixty)
{
    struct TStep {
        float From;
        int Down;  // pixels; negative is up
        float To;
    };
    const TStep steps[] = {
        // One step may carry the angle past the bound; from there only back.
        {59.5f, 8, 61.5f}, {61.5f, 8, 61.5f}, {61.5f, -8, 59.5f},
        {-59.75f, -20, -64.75f}, {-64.75f, -40, -64.75f},
        // Exactly on the bound is not inside it.
        {60.0f, 4, 60.0f}, {60.0f, -4, 59.0f}, {-60.0f, -4, -60.0f}, {-60.0f, 4, -59.0f},
    };
    for (const TStep& step : steps) {
        TDrag drag;
        drag.X = step.From;
        drag.Move({0, 100}, {0, 100 + step.Down});
        EXPECT_EQ(drag.X, step.To) << "from " << step.From << " down " << step.Down;
    }
}

TEST(DragStep, HorizontalAngleIsNeverWrapped)
{
    TDrag drag;
    drag.Move({0, 0}, {810, 0});
    EXPECT_EQ(drag.Y, 405.0f);
    drag.Move({810, 0}, {-1000, 0});
    EXPECT_EQ(drag.Y, -500.0f);
}

TEST(EdgeWrap, EachEdgeMovesTheCursorJustInsideTheOppositeThreshold)
{
    // Window frame at (100, 50), client area 1150 x 880.
    using Moves = std::vector<TCursorPos>;
    EXPECT_EQ(EdgeWrapMoves({600, 500}, 100, 50, 1150, 880), Moves{});
    EXPECT_EQ(EdgeWrapMoves({1240, 500}, 100, 50, 1150, 880), (Moves{{111, 500}}));
    EXPECT_EQ(EdgeWrapMoves({1239, 500}, 100, 50, 1150, 880), Moves{});
    EXPECT_EQ(EdgeWrapMoves({109, 500}, 100, 50, 1150, 880), (Moves{{1239, 500}}));
    EXPECT_EQ(EdgeWrapMoves({600, 79}, 100, 50, 1150, 880), (Moves{{600, 919}}));
    EXPECT_EQ(EdgeWrapMoves({600, 920}, 100, 50, 1150, 880), (Moves{{600, 81}}));
    // Exactly on the left and top thresholds the cursor stays.
    EXPECT_EQ(EdgeWrapMoves({110, 500}, 100, 50, 1150, 880), Moves{});
    EXPECT_EQ(EdgeWrapMoves({600, 80}, 100, 50, 1150, 880), Moves{});
    // A wrapped cursor does not wrap back.
    EXPECT_EQ(EdgeWrapMoves({111, 500}, 100, 50, 1150, 880), Moves{});
    EXPECT_EQ(EdgeWrapMoves({600, 919}, 100, 50, 1150, 880), Moves{});
}

TEST(EdgeWrap, InACornerTheVerticalMoveComesLastAndUsesTheUnwrappedX)
{
    const auto moves = EdgeWrapMoves({1245, 925}, 100, 50, 1150, 880);
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves.back(), (TCursorPos{1245, 81}));
}

TEST(RotationStatus, GeneralFormatWithTheLocaleSeparator)
{
    EXPECT_EQ(RotationStatusText(0.0f, 0.0f, "."), "XRotation : 0    YRotation : 0");
    EXPECT_EQ(RotationStatusText(31.5f, 405.0f, "."), "XRotation : 31.5    YRotation : 405");
    EXPECT_EQ(RotationStatusText(-0.25f, -45.0f, ","), "XRotation : -0,25    YRotation : -45");
}
