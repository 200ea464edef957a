#include "render/artwork/TextureBudget.h"

#include <gtest/gtest.h>

using TNames = std::vector<std::string>;

TEST(TextureBudget, LetsTheLeastRecentlyUsedGoFirstDownToTheBound)
{
    TTextureBudget budget(100);
    budget.BeginBox();
    budget.Use("a", 40);
    budget.Use("b", 40);
    EXPECT_EQ(budget.Evict(), TNames{});
    budget.BeginBox();
    budget.Use("a", 0);  // used again: younger than b now
    budget.Use("c", 40);
    EXPECT_EQ(budget.Evict(), TNames{"b"});
    EXPECT_EQ(budget.Bytes(), 80u);
    budget.BeginBox();
    budget.Use("d", 90);
    EXPECT_EQ(budget.Evict(), (TNames{"a", "c"}));
    EXPECT_EQ(budget.Bytes(), 90u);
    // What was let go is added anew when it comes back.
    budget.BeginBox();
    budget.Use("a", 40);
    EXPECT_EQ(budget.Evict(), TNames{"d"});
    EXPECT_EQ(budget.Bytes(), 40u);
}

TEST(TextureBudget, TheCurrentBoxKeepsAllItsImagesWhateverTheyTake)
{
    TTextureBudget budget(10);
    budget.BeginBox();
    budget.Use("old", 5);
    budget.BeginBox();
    budget.Use("front", 30);
    budget.Use("old", 0);  // the new box uses it too
    EXPECT_EQ(budget.Evict(), TNames{});
    budget.Use("back", 30);
    EXPECT_EQ(budget.Evict(), TNames{});
    EXPECT_EQ(budget.Bytes(), 65u);
    // The next box lets them go, oldest first, until it fits.
    budget.BeginBox();
    budget.Use("spine", 4);
    EXPECT_EQ(budget.Evict(), (TNames{"front", "old", "back"}));
    EXPECT_EQ(budget.Bytes(), 4u);
}
