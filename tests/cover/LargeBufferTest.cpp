// Picture-sized buffers: classes of sizes, and buffers given back serving the
// next of their class.
#include "cover/LargeBuffer.h"

#include <gtest/gtest.h>
#include <vector>

TEST(LargeBuffer, SizesRoundUpToTheirClassAnEighthOfAPowerOfTwoWide)
{
    const std::pair<size_t, size_t> cases[] = {
        {1, 1}, {8, 8}, {9, 9}, {16, 16}, {17, 18}, {1000, 1024}, {1025, 1152},
        {6000000, 6291456}, {size_t(1) << 20, size_t(1) << 20}, {(size_t(1) << 20) + 1, (size_t(9) << 20) / 8}};
    for (const auto& [size, capacity] : cases)
        EXPECT_EQ(LargeBufferCapacity(size), capacity) << size;
}

TEST(LargeBuffer, ABufferGivenBackServesTheNextOfItsClassOnly)
{
    constexpr size_t Image = 1000 * 1500 * 4;
    struct TCase {
        const char* What;
        size_t Given, Asked;
        bool Kept, Reused;
    };
    const TCase cases[] = {
        {"the same size", Image, Image, true, true},
        {"a size of the same class", Image, Image - 1000, true, true},
        {"a size of the next class", Image, Image + Image / 8, true, false},
        {"a small buffer, which the heap keeps", 4096, 4096, false, false},
    };
    for (const TCase& c : cases) {
        std::unique_ptr<uint8_t[]> given = AllocateLargeBuffer(c.Given);
        ASSERT_TRUE(given);
        const uint8_t* at = given.get();
        ReuseLargeBuffer(std::move(given), c.Given);
        EXPECT_EQ(KeptLargeBufferBytes(), c.Kept ? LargeBufferCapacity(c.Given) : 0u) << c.What;
        const std::unique_ptr<uint8_t[]> asked = AllocateLargeBuffer(c.Asked);
        if (c.Kept) {  // a freed one's place may come back from the heap too
            EXPECT_EQ(asked.get() == at, c.Reused) << c.What;
        }
        // Leave none kept for the next case.
        for (int i = 0; i < 4 && KeptLargeBufferBytes() > 0; ++i)
            AllocateLargeBuffer(c.Given);
        EXPECT_EQ(KeptLargeBufferBytes(), 0u);
    }
}

TEST(LargeBuffer, AFewBuffersAreKeptHoweverManyComeBack)
{
    for (int i = 0; i < 50; ++i)
        ReuseLargeBuffer(AllocateLargeBuffer(size_t(3) << 20), size_t(3) << 20);
    EXPECT_GT(KeptLargeBufferBytes(), 0u);
    EXPECT_LE(KeptLargeBufferBytes(), size_t(4 * 3) << 20);
    // A buffer larger than the bound goes at once.
    ReuseLargeBuffer(AllocateLargeBuffer(size_t(64) << 20), size_t(64) << 20);
    EXPECT_LE(KeptLargeBufferBytes(), size_t(4 * 3) << 20);
}
