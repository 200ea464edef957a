#include "render/picture/Sampling.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>
#include <random>
#include <vector>

TEST(Sampling, PlansTheFewestEqualPassesThatMakeExactlyTheCount)
{
    auto plan = [](int samples, std::vector<int> counts) {
        const TSamplePlan p = PlanSamples(samples, counts);
        return std::pair(p.Passes, p.SamplesPerPass);
    };
    // A target that holds 4 samples or 1, as Mesa's software renderer.
    const std::vector<int> four{1, 4};
    EXPECT_EQ(plan(1, four), std::pair(1, 1));
    EXPECT_EQ(plan(2, four), std::pair(2, 1));
    EXPECT_EQ(plan(3, four), std::pair(3, 1));
    EXPECT_EQ(plan(4, four), std::pair(1, 4));
    EXPECT_EQ(plan(6, four), std::pair(6, 1));
    EXPECT_EQ(plan(8, four), std::pair(2, 4));
    EXPECT_EQ(plan(64, four), std::pair(16, 4));
    const std::vector<int> many{1, 2, 4, 8};
    EXPECT_EQ(plan(6, many), std::pair(3, 2));
    EXPECT_EQ(plan(8, many), std::pair(1, 8));
    EXPECT_EQ(plan(24, many), std::pair(3, 8));
    EXPECT_EQ(plan(7, many), std::pair(7, 1));
    EXPECT_EQ(plan(5, {1}), std::pair(5, 1));  // no multisampling at all
    EXPECT_EQ(plan(0, many), std::pair(1, 1));
}

TEST(Sampling, PassesTakeEachColumnAndRowOnceAroundThePixelsCentre)
{
    for (int passes = 1; passes <= 64; ++passes) {
        std::vector<int> columns, rows;
        for (int pass = 0; pass < passes; ++pass) {
            const TPassOffset offset = PassOffset(pass, passes);
            ASSERT_GT(offset.X, -0.5);
            ASSERT_LT(offset.X, 0.5);
            // Back to the cell of the grid the offset sits in the middle of.
            columns.push_back(int((offset.X + 0.5) * passes));
            rows.push_back(int((offset.Y + 0.5) * passes));
            EXPECT_NEAR((offset.Y + 0.5) * passes - rows.back(), 0.5, 1e-9);
        }
        // Every cell once, so together they are centred.
        std::vector<int> all(static_cast<size_t>(passes));
        std::iota(all.begin(), all.end(), 0);
        std::sort(columns.begin(), columns.end());
        std::sort(rows.begin(), rows.end());
        EXPECT_EQ(columns, all) << passes;
        EXPECT_EQ(rows, all) << passes;
    }
    // Four passes do not line up along the diagonal.
    EXPECT_NE(PassOffset(1, 4).X, PassOffset(1, 4).Y);
}

TEST(Sampling, LaterPassesGoWhereThePixelsStandOut)
{
    // A 6 x 5 pass of grey 100; one pixel changed by `by` in one channel.
    struct TCase {
        int X, Y, Channel, By;
        TPixelRect Inner;
        TPixelRect Bounds;  // of the marks; empty when none
    };
    const TPixelRect whole{0, 0, 6, 5};
    const TCase cases[] = {
        {2, 2, 0, EdgeContrast, whole, {}},                       // not more than the contrast
        {2, 2, 0, EdgeContrast + 1, whole, {1, 1, 3, 3}},         // it and its eight neighbours
        {2, 2, 3, -EdgeContrast - 1, whole, {1, 1, 3, 3}},        // alpha counts too
        {0, 0, 2, 40, whole, {0, 0, 2, 2}},                       // in a corner
        {5, 4, 1, 40, {1, 1, 4, 3}, {4, 3, 1, 1}},                // the ring around inner only lends
        {0, 4, 1, 40, {1, 1, 4, 3}, {1, 3, 1, 1}},                // its colours
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.X << "," << c.Y << " by " << c.By);
        std::vector<uint8_t> pass(6 * 5 * 4, 100);
        pass[size_t((c.Y * 6 + c.X) * 4 + c.Channel)] = uint8_t(100 + c.By);
        std::vector<uint32_t> marks;
        MarkContrast(pass.data(), 6, 5, c.Inner, EdgeContrast, marks);
        const TPixelRect bounds = MarkedBounds(marks, 6);
        EXPECT_EQ(bounds, c.Bounds);
        // Every pixel within the bounds and inner is marked: a lone pixel
        // marks a square.
        for (int y = bounds.Y; y < bounds.Y + bounds.Height; ++y)
            for (int x = bounds.X; x < bounds.X + bounds.Width; ++x)
                EXPECT_EQ(marks[size_t(y * 6 + x)], Marked) << x << "," << y;
    }
}

TEST(Sampling, MarksMatchEachPixelAgainstItsEightNeighbours)
{
    // Noisy passes of every width from 1 to 19 (vector steps and the pixels
    // left over), against the plain definition.
    std::mt19937 random(7);
    for (int width = 1; width < 20; ++width) {
        const int height = 1 + width % 4;
        std::vector<uint8_t> pass(size_t(width * height * 4));
        for (uint8_t& byte : pass)
            byte = uint8_t(100 + random() % 20);
        std::vector<uint32_t> marks;
        MarkContrast(pass.data(), width, height, {0, 0, width, height}, EdgeContrast, marks);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                bool apart = false;
                for (int ny = std::max(y - 1, 0); ny <= std::min(y + 1, height - 1); ++ny)
                    for (int nx = std::max(x - 1, 0); nx <= std::min(x + 1, width - 1); ++nx)
                        for (int c = 0; c < 4; ++c)
                            apart = apart || std::abs(pass[size_t((y * width + x) * 4 + c)] -
                                                      pass[size_t((ny * width + nx) * 4 + c)]) > EdgeContrast;
                EXPECT_EQ(marks[size_t(y * width + x)], apart ? Marked : 0u) << width << ": " << x << "," << y;
            }
    }
}
