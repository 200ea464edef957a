#include "render/picture/Tiles.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

TEST(Tiles, CoverThePictureOnceInRowsFromTheTop)
{
    for (const auto& [width, height, side, tileHeight] : std::vector<std::tuple<int, int, int, int>>{
             {1000, 700, 128, 128}, {1000, 700, 300, 300}, {1000, 700, 301, 301}, {7, 5, 16, 16}, {1, 1, 1, 1},
             {16384, 16384, 1024, 1024}, {1000, 700, 300, 57}, {16384, 16384, 1024, 256}}) {
        SCOPED_TRACE(testing::Message() << width << " x " << height << " in " << side << " x " << tileHeight);
        const std::vector<TPixelRect> tiles = PictureTiles(width, height, side, tileHeight);
        const bool small = width * height <= 1000 * 700;
        std::vector<int> covered(small ? size_t(width) * size_t(height) : 0, 0);
        int lastY = 0;
        for (const TPixelRect& t : tiles) {
            EXPECT_GE(t.Y, lastY);
            lastY = t.Y;
            EXPECT_TRUE(t.Width == side || t.X + t.Width == width);
            EXPECT_TRUE(t.Height == tileHeight || t.Y + t.Height == height);
            for (int y = t.Y; small && y < t.Y + t.Height; ++y)
                for (int x = t.X; x < t.X + t.Width; ++x)
                    ++covered[size_t(y) * size_t(width) + size_t(x)];
        }
        EXPECT_EQ(std::count(covered.begin(), covered.end(), 1), std::ptrdiff_t(covered.size()));
        const size_t across = size_t((width + side - 1) / side), down = size_t((height + tileHeight - 1) / tileHeight);
        EXPECT_EQ(tiles.size(), across * down);
    }
    EXPECT_EQ(PictureTiles(300, 200, 128, 128)[3], (TPixelRect{0, 128, 128, 72}));
}

TEST(Tiles, AWidePicturesRowOfTilesKeepsWithinItsBound)
{
    // A row of tiles as high as the side fits the bound up to 4096 pixels
    // wide; wider pictures take lower tiles, down to a single row.
    struct TCase {
        int Width, Side;
        size_t Bound;
        int Height;
    };
    for (const TCase& c : std::vector<TCase>{{4096, 1024, TileRowBound, 1024},
                                             {4097, 1024, TileRowBound, 1023},
                                             {16384, 1024, TileRowBound, 256},
                                             {65535, 1024, TileRowBound, 64},
                                             {1000, 300, 1000 * 4 * 57 + 3999, 57},
                                             {1000, 300, 3999, 1}}) {
        SCOPED_TRACE(testing::Message() << c.Width << " wide, side " << c.Side << ", " << c.Bound << " bytes");
        EXPECT_EQ(TileHeight(c.Width, c.Side, c.Bound), c.Height);
    }
}

namespace {

std::array<int, 4> Viewport(const TTileView& view)
{
    return {view.ViewportX, view.ViewportY, view.ViewportWidth, view.ViewportHeight};
}

std::array<double, 4> Rectangle(const TViewRect& r)
{
    return {r.Left, r.Right, r.Bottom, r.Top};
}

// A framing whose viewport is 500 x 300 pixels at (100, 50) in a 700 x 400
// picture, showing a rectangle of 5 x 3 units: 100 pixels a unit.
TFraming Framed()
{
    return {.ViewportX = 100, .ViewportY = 50, .ViewportWidth = 500, .ViewportHeight = 300, .Frustum = {-2, 3, -1, 2}};
}

} // namespace

TEST(Tiles, TheWholePictureIsTheFramingItself)
{
    const TFraming framing = Framed();
    const TTileView whole = TileView(framing, 400, {0, 0, 700, 400});
    EXPECT_EQ(Viewport(whole), (std::array<int, 4>{100, 50, 500, 300}));
    EXPECT_EQ(Rectangle(whole.Frustum), (std::array<double, 4>{-2, 3, -1, 2}));
    // A pass's shift moves the rectangle as it moves the framing's.
    const TTileView shifted = TileView(framing, 400, {0, 0, 700, 400}, 0.25, -0.5);
    EXPECT_EQ(Rectangle(shifted.Frustum), Rectangle(ShiftedFrustum(framing, 0.25, -0.5)));
}

TEST(Tiles, EachTileShowsItsOwnPartOfTheRectangle)
{
    const TFraming framing = Framed();
    // The top left tile of 256: the viewport starts 100 pixels in and ends
    // 50 pixels above the picture's top.
    const TTileView corner = TileView(framing, 400, {0, 0, 256, 256});
    EXPECT_EQ(Viewport(corner), (std::array<int, 4>{100, 0, 156, 206}));  // picture rows 50 .. 255
    EXPECT_EQ(corner.Frustum.Left, -2.0);
    EXPECT_NEAR(corner.Frustum.Right, -2.0 + 1.56, 1e-12);
    EXPECT_NEAR(corner.Frustum.Bottom, 2.0 - 2.06, 1e-12);
    EXPECT_EQ(corner.Frustum.Top, 2.0);
    // Outside the viewport: nothing drawn.
    const TTileView outside = TileView(framing, 400, {600, 0, 100, 400});
    EXPECT_EQ(outside.ViewportWidth * outside.ViewportHeight, 0);
}

TEST(Tiles, NeighboursMeetExactly)
{
    // Every tile keeps the framing's scale, and where two tiles meet their
    // rectangles share the very same edge: no gap, no overlap, at any side.
    const TFraming framing = Framed();
    for (const int side : {7, 64, 128, 333}) {
        for (const TPixelRect& t : PictureTiles(700, 400, side, side)) {
            const TTileView v = TileView(framing, 400, t, 0.125, 0.375);
            if (v.ViewportWidth == 0 || v.ViewportHeight == 0)
                continue;
            EXPECT_NEAR(v.Frustum.Width() / v.ViewportWidth, 0.01, 1e-12);
            EXPECT_NEAR(v.Frustum.Height() / v.ViewportHeight, 0.01, 1e-12);
            const TTileView right = TileView(framing, 400, {t.X + t.Width, t.Y, side, t.Height}, 0.125, 0.375);
            if (right.ViewportWidth > 0) {
                EXPECT_EQ(right.Frustum.Left, v.Frustum.Right);
            }
            const TTileView below = TileView(framing, 400, {t.X, t.Y + t.Height, t.Width, side}, 0.125, 0.375);
            if (below.ViewportHeight > 0) {
                EXPECT_EQ(below.Frustum.Top, v.Frustum.Bottom);
            }
        }
    }
}
