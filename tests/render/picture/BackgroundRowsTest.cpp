#include "platform/Error.h"
#include "render/picture/BackgroundRows.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// Keeps every row it is given; fails on the rows from failAt on.
class TKeptRows : public TPictureRows {
public:
    explicit TKeptRows(int failAt = -1) : FailAt(failAt) {}

    void Put(int first, int count, const uint32_t* rows) override
    {
        if (FailAt >= 0 && first >= FailAt)
            throw TError("disk full");
        Firsts.push_back(first);
        Words.insert(Words.end(), rows, rows + size_t(count) * 3);
    }

    const int FailAt;
    std::vector<int> Firsts;
    std::vector<uint32_t> Words;
};

} // namespace

TEST(BackgroundRows, HandsOnEveryRowInOrderThoughTheCallersBufferIsReused)
{
    TKeptRows kept;
    {
        TBackgroundRows background(kept, 3);
        std::vector<uint32_t> strip(6);
        for (int first = 0; first < 10; first += 2) {
            for (size_t i = 0; i < strip.size(); ++i)
                strip[i] = uint32_t(first * 3) + uint32_t(i);
            background.Put(first, 2, strip.data());
        }
        background.Finish();
    }
    EXPECT_EQ(kept.Firsts, (std::vector<int>{0, 2, 4, 6, 8}));
    ASSERT_EQ(kept.Words.size(), 30u);
    for (uint32_t i = 0; i < 30; ++i)
        EXPECT_EQ(kept.Words[i], i);
}

TEST(BackgroundRows, ATakersFailureIsRaisedByTheNextPutOrByFinish)
{
    TKeptRows failsAtOnce(0);
    TBackgroundRows first(failsAtOnce, 3);
    const uint32_t row[3] = {};
    first.Put(0, 1, row);
    EXPECT_THROW(first.Put(1, 1, row), TError);

    TKeptRows failsLast(1);
    TBackgroundRows last(failsLast, 3);
    last.Put(0, 1, row);
    last.Put(1, 1, row);
    EXPECT_THROW(last.Finish(), TError);
}
