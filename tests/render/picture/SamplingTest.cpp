#include "render/picture/Sampling.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>
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
