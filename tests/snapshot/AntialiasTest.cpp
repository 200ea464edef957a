#include "snapshot/Antialias.h"
#include "tests/snapshot/BitmapTestHelpers.h"

#include <gtest/gtest.h>

namespace {

TBitmap24 Row(std::initializer_list<TBgr> pixels)
{
    TBitmap24 bitmap(static_cast<int>(pixels.size()), 1);
    int x = 0;
    for (const TBgr& p : pixels)
        SetPixel(bitmap, x++, 0, p);
    return bitmap;
}

// The value a neighbour n ends with after one pull by centre c at strength 90:
// in the row c, c, n the last pixel is pulled once, then only read.
TBgr PulledOnce(TBgr c, TBgr n)
{
    TBitmap24 bitmap = Row({c, c, n});
    AntialiasBitmap(bitmap, 3, 1, 90);
    return PixelAt(bitmap, 2, 0);
}

} // namespace

TEST(Antialias, UniformPictureIsUnchanged)
{
    TBitmap24 bitmap(40, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            SetPixel(bitmap, x, y, {12, 200, 77});
    const TBitmap24 before = bitmap;
    AntialiasBitmap(bitmap, 323, 248, 90);
    EXPECT_EQ(bitmap, before);
}

TEST(Antialias, HalvesRoundToEven)
{
    EXPECT_EQ(PulledOnce(Grey(0), Grey(7)), Grey(2));   // 2.5
    EXPECT_EQ(PulledOnce(Grey(0), Grey(21)), Grey(8));  // 7.5
    EXPECT_EQ(PulledOnce(Grey(1), Grey(8)), Grey(4));   // 3.5
    EXPECT_EQ(PulledOnce(Grey(7), Grey(0)), Grey(4));   // 4.5
    EXPECT_EQ(PulledOnce(Grey(0), Grey(255)), Grey(91));
}

TEST(Antialias, NeighbourDifferingInOneChannelKeepsItsEqualChannels)
{
    EXPECT_EQ(PulledOnce({10, 20, 30}, {10, 20, 100}), (TBgr{10, 20, 55}));
    EXPECT_EQ(PulledOnce({10, 20, 30}, {38, 20, 30}), (TBgr{20, 20, 30}));
}

TEST(Antialias, ColourIsCarriedRightwardsAndTheLastColumnPullsColumnZero)
{
    TBitmap24 bitmap = Row({Grey(0), Grey(140), Grey(0), Grey(0)});
    AntialiasBitmap(bitmap, 4, 1, 90);
    EXPECT_EQ(bitmap, Row({Grey(69), Grey(108), Grey(69), Grey(58)}));
}

TEST(Antialias, RowsWrapBothWaysWithinTheRegion)
{
    // Column 1 pulls its upper neighbour from the last row and, from the last
    // row, its lower neighbour from row 0.
    TBitmap24 bitmap(2, 3);
    SetPixel(bitmap, 0, 0, Grey(140));
    SetPixel(bitmap, 1, 0, Grey(140));
    AntialiasBitmap(bitmap, 2, 3, 90);
    EXPECT_EQ(PixelAt(bitmap, 0, 0), Grey(140));
    EXPECT_EQ(PixelAt(bitmap, 1, 0), Grey(96));
    EXPECT_EQ(PixelAt(bitmap, 0, 1), Grey(79));
    EXPECT_EQ(PixelAt(bitmap, 1, 1), Grey(90));
    EXPECT_EQ(PixelAt(bitmap, 0, 2), Grey(79));
    EXPECT_EQ(PixelAt(bitmap, 1, 2), Grey(90));
}

TEST(Antialias, RegionLeavesTheRestAloneAndWrapsAtItsOwnEdges)
{
    TBitmap24 bitmap = PatternBitmap(9, 7);
    const TBitmap24 before = bitmap;
    AntialiasBitmap(bitmap, 5, 4, 90);

    // The region alone, as a picture of its own.
    TBitmap24 region(5, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            SetPixel(region, x, y, PixelAt(before, x, y));
    AntialiasBitmap(region, 5, 4, 90);

    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x) {
            const TBgr expected = x < 5 && y < 4 ? PixelAt(region, x, y) : PixelAt(before, x, y);
            EXPECT_EQ(PixelAt(bitmap, x, y), expected) << x << ", " << y;
        }
    EXPECT_NE(region, before);
}

TEST(Antialias, RegionLargerThanThePictureIsClippedToIt)
{
    TBitmap24 clipped = PatternBitmap(6, 5);
    TBitmap24 exact = clipped;
    AntialiasBitmap(clipped, 323, 248, 90);
    AntialiasBitmap(exact, 6, 5, 90);
    EXPECT_EQ(clipped, exact);

    TBitmap24 empty;
    AntialiasBitmap(empty, 323, 248, 90);
    TBitmap24 oneColumn = PatternBitmap(1, 5);
    const TBitmap24 before = oneColumn;
    AntialiasBitmap(oneColumn, 323, 248, 90);
    EXPECT_EQ(oneColumn, before);
}

TEST(Antialias, ZeroOrNegativeStrengthMovesNothing)
{
    for (int strength : {0, -1, -90, -1000}) {
        TBitmap24 bitmap = PatternBitmap(8, 6);
        const TBitmap24 before = bitmap;
        AntialiasBitmap(bitmap, 8, 6, strength);
        EXPECT_EQ(bitmap, before) << strength;
    }
}

TEST(Antialias, ImagePassRaisesTheChangeNotificationOnceAndUsesTheControlSize)
{
    TBitmapPicture picture;
    int changes = 0;
    picture.OnChange = [&] { ++changes; };
    AntialiasImage(picture, 323, 248, 90);
    EXPECT_EQ(changes, 0);  // empty: nothing to smooth or show

    TBitmap24 bitmap = PatternBitmap(12, 10);
    TBitmap24 expected = bitmap;
    AntialiasBitmap(expected, 4, 3, 90);
    picture.Assign(std::move(bitmap));
    changes = 0;
    AntialiasImage(picture, 4, 3, 90);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(*picture.Bitmap(), expected);

    picture.Assign(TBitmap24(5, 5));  // uniform: unchanged, yet shown again
    changes = 0;
    AntialiasImage(picture, 323, 248, 90);
    EXPECT_EQ(changes, 1);
}
