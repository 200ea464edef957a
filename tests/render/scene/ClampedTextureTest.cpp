#include "render/scene/ClampedTexture.h"

#include <gtest/gtest.h>

TEST(ClampedTexture, EachMipmapHalvesTheOneBeforeToOneTexel)
{
    using TLevels = std::vector<std::vector<uint8_t>>;
    EXPECT_EQ(HalvedRows({10, 20, 30, 41}), (TLevels{{10, 20, 30, 41}, {15, 36}, {26}}));  // means rounded up
    EXPECT_EQ(HalvedRows({255, 255}), (TLevels{{255, 255}, {255}}));
    EXPECT_EQ(HalvedRows({7}), (TLevels{{7}}));
}
