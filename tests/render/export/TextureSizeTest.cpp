#include "render/export/TextureSize.h"

#include "render/shapes/ShapeKinds.h"

#include <gtest/gtest.h>

TEST(TextureSize, FacesSpanTheirMillimetresAndTexturesKeepToTheDetailAndTheSide)
{
    const TShape box = MakeShape(TShapeKind::Box, {20, 30, 5}, TBoxOptions{});
    struct TSpanCase {
        TArtFace Face;
        double Width, Height;
    };
    for (const TSpanCase& c : {TSpanCase{TArtFace::Front, 200, 300}, TSpanCase{TArtFace::Back, 200, 300},
                               TSpanCase{TArtFace::Spine, 50, 300}, TSpanCase{TArtFace::Top, 50, 200},
                               TSpanCase{TArtFace::Plain, 0, 0}}) {
        const TImageSpan span = ImageSpan(box, c.Face);
        EXPECT_NEAR(span.Width, c.Width, 1e-3) << int(c.Face);
        EXPECT_NEAR(span.Height, c.Height, 1e-3) << int(c.Face);
    }

    struct TSizeCase {
        TPixelSize Image;
        TImageSpan Span;
        int Most, Width, Height;
    };
    for (const TSizeCase& c : {
             TSizeCase{{2000, 3000}, {200, 300}, 4096, 2000, 3000},  // the image holds less than 300 an inch
             TSizeCase{{2000, 3000}, {50, 300}, 4096, 591, 3000},    // a spine needs no more than its 5 cm
             TSizeCase{{2000, 3000}, {200, 300}, 1024, 683, 1024},   // the cap keeps the aspect
             TSizeCase{{8000, 8000}, {1000, 1000}, 4096, 4096, 4096},
             TSizeCase{{1, 1}, {200, 300}, 4096, 1, 1},
             TSizeCase{{500, 500}, {0.01, 0.01}, 4096, 1, 1},
         }) {
        const TPixelSize size = TextureSize(c.Image, c.Span, c.Most);
        EXPECT_EQ(size.Width, c.Width) << c.Image.Width << " " << c.Span.Width << " " << c.Most;
        EXPECT_EQ(size.Height, c.Height) << c.Image.Height << " " << c.Span.Height << " " << c.Most;
    }
}
