// The detail a box's pictures need of its faces, from their poses and
// framings: tiles and samples change nothing, several pictures take the
// finest of them.
#include "render/batch/PictureViews.h"

#include <gtest/gtest.h>

namespace {

using enum TArtFace;

TBoxPlan Plan(TShapeKind shape = TShapeKind::Box)
{
    TBoxPlan plan;
    plan.Shape = shape;
    plan.Size = {20, 30, 5};
    return plan;
}

TPictureJob Still(float x, float y)
{
    return {.Box = 0, .Pose = {"", x, y}, .OutputFile = "box.png", .Format = TImageFormat::Png};
}

TRenderOptions Options(int width, int height)
{
    TRenderOptions options;
    options.Width = width;
    options.Height = height;
    return options;
}

} // namespace

TEST(PictureViews, TilesAndSamplesNeedWhatTheWholePictureDoesAndMorePicturesTheFinest)
{
    const TRenderOptions plain = Options(600, 600);
    const std::vector<TPictureJob> threeQuarter{Still(25, 30)}, back{Still(0, 180)};
    const TFaceNeeds alone = *ShownNeeds(Plan(), threeQuarter, plain);
    // The three-quarter pose shows the front and the spine, not the back.
    EXPECT_NE(alone[size_t(Front)], UnseenNeed);
    EXPECT_NE(alone[size_t(Spine)], UnseenNeed);
    EXPECT_EQ(alone[size_t(Back)], UnseenNeed);
    struct TCase {
        const char* What;
        TRenderOptions Options;
    };
    TRenderOptions tiled = plain, sampled = plain, reflected = plain, window = plain;
    tiled.Tile = 97;
    sampled.Samples = 64;
    reflected.Style.Reflection = 0.8;
    window.Style.Look = TLook::Window;
    for (const TCase& c : {TCase{"tiles", tiled}, {"samples", sampled}})
        EXPECT_EQ(*ShownNeeds(Plan(), threeQuarter, c.Options), alone) << c.What;
    // Without a shadow to frame, the box fills more of the picture; a
    // reflection shows the faces the box turns away from the floor.
    EXPECT_GT((*ShownNeeds(Plan(), threeQuarter, window))[size_t(Front)].Height, alone[size_t(Front)].Height);
    const std::vector<TPictureJob> level{Still(0, 30)};
    EXPECT_EQ((*ShownNeeds(Plan(), level, plain))[size_t(Top)], UnseenNeed);
    EXPECT_NE((*ShownNeeds(Plan(), level, reflected))[size_t(Top)], UnseenNeed);
    // Two poses need the finest of each.
    const std::vector<TPictureJob> both{Still(25, 30), Still(0, 180)};
    EXPECT_EQ(*ShownNeeds(Plan(), both, plain), Larger(alone, *ShownNeeds(Plan(), back, plain)));
    // A larger picture needs more; a spin's frames show every face.
    EXPECT_GT((*ShownNeeds(Plan(), threeQuarter, Options(2000, 2000)))[size_t(Front)].Width,
              3 * alone[size_t(Front)].Width);
    TRenderOptions spin = plain;
    spin.Spin.Frames = 8;
    std::vector<TPictureJob> frames;
    for (int frame = 0; frame < 8; ++frame) {
        frames.push_back(Still(25, 30));
        frames.back().Frame = frame;
    }
    EXPECT_NE((*ShownNeeds(Plan(), frames, spin))[size_t(Back)], UnseenNeed);
    // A box that takes its sizes from its images is read for any picture.
    TBoxPlan autoSize = Plan();
    autoSize.AutoSize = true;
    EXPECT_FALSE(ShownNeeds(autoSize, threeQuarter, plain));
}
