#include "render/artwork/FacePixels.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// A picture of width x height pixels given top row first, stored bottom row
// first as the texture object holds it.
struct TPicture {
    int Width, Height;
    std::vector<uint8_t> Bytes;

    TPicture(int width, int height, const std::vector<TRgba>& topDown) : Width(width), Height(height)
    {
        for (int y = height - 1; y >= 0; --y)
            for (int x = 0; x < width; ++x)
                Bytes.insert(Bytes.end(), topDown[size_t(y * width + x)].begin(), topDown[size_t(y * width + x)].end());
    }
    TPixelsView View() const { return {Bytes.data(), Width, Height}; }
    TRgba At(int x, int y) const  // from the top
    {
        const uint8_t* p = Bytes.data() + (size_t(Height - 1 - y) * size_t(Width) + size_t(x)) * 4;
        return {p[0], p[1], p[2], p[3]};
    }
};

const TRgba Red{200, 0, 0, 255}, Blue{0, 0, 200, 255}, Clear{0, 0, 0, 0}, HalfGreen{0, 200, 0, 128};

} // namespace

TEST(FacePixels, EdgeColourIsTheVisibleEdgeWeightedByAlpha)
{
    const TPicture picture(3, 2, {Blue, Red, Red, Blue, HalfGreen, Clear});
    // The right column: red over clear, so red alone.
    EXPECT_EQ(EdgeColour(picture.View(), TImageEdge::Right), (TRgba{200, 0, 0, 255}));
    // The top row (the last in memory): blue, red, red.
    EXPECT_EQ(EdgeColour(picture.View(), TImageEdge::Top), (TRgba{133, 0, 67, 255}));
    // A die-cut edge: the first column in that any pixel covers, blended by alpha.
    const TPicture cut(3, 2, {Red, HalfGreen, Clear, Blue, Blue, Clear});
    EXPECT_EQ(EdgeColour(cut.View(), TImageEdge::Right), (TRgba{0, 67, 133, 255}));
    EXPECT_EQ(EdgeColour(TPicture(2, 1, {Clear, Clear}).View(), TImageEdge::Top), Clear);
}

TEST(FacePixels, CropsColumnsAndPremultiplies)
{
    const TPicture picture(3, 2, {Blue, Red, HalfGreen, Red, Blue, Clear});
    const auto part = CropColumns(picture.View(), 1, 2);
    // Rows stay bottom first: the bottom row's columns 1 and 2, then the top's.
    const std::vector<uint8_t> expected{0, 0, 200, 255, 0, 0, 0, 0, 200, 0, 0, 255, 0, 200, 0, 128};
    EXPECT_EQ(std::vector<uint8_t>(part.get(), part.get() + 16), expected);

    std::vector<uint8_t> pixels{200, 100, 50, 128, 10, 20, 30, 255, 99, 99, 99, 0};
    PremultiplyAlpha(pixels.data(), 3);
    EXPECT_EQ(pixels, (std::vector<uint8_t>{100, 50, 25, 128, 10, 20, 30, 255, 0, 0, 0, 0}));
}

TEST(FacePixels, BleedsVisibleColoursIntoTheClearPixelsNearThem)
{
    // A red pixel and a blue one, then four clear ones in a row.
    TPicture strip(6, 1, {Red, Blue, Clear, Clear, Clear, Clear});
    BleedIntoTransparent(strip.Bytes.data(), 6, 1, 2);
    EXPECT_EQ(strip.At(0, 0), Red);
    EXPECT_EQ(strip.At(1, 0), Blue);
    EXPECT_EQ(strip.At(2, 0), (TRgba{0, 0, 200, 0}));  // the colour, never the alpha
    EXPECT_EQ(strip.At(3, 0), (TRgba{0, 0, 200, 0}));
    EXPECT_EQ(strip.At(4, 0), Clear);  // beyond the reach
    // Diagonal neighbours count, each visible one once.
    TPicture square(2, 2, {Red, Clear, Clear, Blue});
    BleedIntoTransparent(square.Bytes.data(), 2, 2, 1);
    EXPECT_EQ(square.At(1, 0), (TRgba{100, 0, 100, 0}));
}
