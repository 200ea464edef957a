#include "platform/Error.h"
#include "render/artwork/WrapSplit.h"

#include <gtest/gtest.h>

namespace {

std::string Failure(int scanWidth, const TWrapSplit& split)
{
    try {
        WrapWidths(scanWidth, split, "scan.png");
    } catch (const TError& e) {
        return e.what();
    }
    return "cut";
}

} // namespace

TEST(WrapSplit, TheSpineTakesItsShareOrItsPixelsAndTheCoversTheRest)
{
    // A 20 x 30 x 5 box: 5 / 45 of the scan.
    const TWrapSplit proportional = ProportionalSplit(20.0f, 5.0f);
    EXPECT_DOUBLE_EQ(proportional.SpineShare, 5.0 / 45.0);
    const TWrapWidths widths = WrapWidths(900, proportional, "scan.png");
    EXPECT_EQ(widths.Back, 400);
    EXPECT_EQ(widths.Spine, 100);
    EXPECT_EQ(widths.Front, 400);
    // Given pixels: the front takes the odd one.
    const TWrapWidths given = WrapWidths(1301, {.SpinePixels = 100}, "scan.png");
    EXPECT_EQ(given.Back, 600);
    EXPECT_EQ(given.Spine, 100);
    EXPECT_EQ(given.Front, 601);
    // A hair of a spine still takes a column.
    EXPECT_EQ(WrapWidths(100, ProportionalSplit(20.0f, 0.01f), "scan.png").Spine, 1);
}

TEST(WrapSplit, RefusesWhatLeavesNoCoversOrNoSpine)
{
    EXPECT_EQ(Failure(100, {.SpinePixels = 99}),
              "Cannot cut scan.png into back, spine and front: a spine of 99 pixels leaves no room for the covers "
              "in its 100 columns");
    EXPECT_EQ(Failure(3, {.SpinePixels = 1}), "cut");
    EXPECT_NE(Failure(2, ProportionalSplit(20.0f, 5.0f)), "cut");
    for (const float depth : {0.0f, -5.0f})
        EXPECT_THROW(ProportionalSplit(20.0f, depth), TError) << depth;
    EXPECT_THROW(ProportionalSplit(-20.0f, 5.0f), TError);
}
