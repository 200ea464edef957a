#include "render/picture/TilePixels.h"

#include <array>
#include <gtest/gtest.h>
#include <vector>

namespace {

// A tile as the GL gives it: red, green, blue, alpha; bottom row first.
std::vector<uint8_t> Tile(std::initializer_list<std::array<uint8_t, 4>> bottomUp)
{
    std::vector<uint8_t> bytes;
    for (const auto& p : bottomUp)
        bytes.insert(bytes.end(), p.begin(), p.end());
    return bytes;
}

} // namespace

TEST(TilePixels, RowsComeTopFirstAtTheirPlaceInTheStrip)
{
    // A 1 x 2 tile, the first column of a pass 2 wide, stored at column 1
    // of a strip 3 words wide.
    const std::vector<uint8_t> tile = Tile({{1, 2, 3, 255}, {7, 7, 7, 7}, {4, 5, 6, 255}, {7, 7, 7, 7}});
    std::vector<uint32_t> strip(6, 0xDEADBEEF);
    StoreTile(tile.data(), 2, 1, 2, false, strip.data() + 1, 3);
    EXPECT_EQ(strip, (std::vector<uint32_t>{0xDEADBEEF, 0xFF040506, 0xDEADBEEF, 0xDEADBEEF, 0xFF010203, 0xDEADBEEF}));
}

TEST(TilePixels, OpaquePicturesHaveFullAlphaAndTransparentOnesStraightAlpha)
{
    // Premultiplied: half-covered red, a quarter of grey, nothing, all white.
    const std::vector<uint8_t> tile = Tile({{128, 0, 0, 128}, {16, 16, 16, 64}, {0, 0, 0, 0}, {255, 255, 255, 255}});
    std::vector<uint32_t> straight(4), opaque(4);
    StoreTile(tile.data(), 4, 4, 1, true, straight.data(), 4);
    EXPECT_EQ(straight, (std::vector<uint32_t>{0x80FF0000, 0x40404040, 0x00000000, 0xFFFFFFFF}));
    StoreTile(tile.data(), 4, 4, 1, false, opaque.data(), 4);
    EXPECT_EQ(opaque, (std::vector<uint32_t>{0xFF800000, 0xFF101010, 0xFF000000, 0xFFFFFFFF}));
}

TEST(TilePixels, PassesAverageToTheNearestLevel)
{
    const std::vector<uint8_t> table = AverageTable(3);
    ASSERT_EQ(table.size(), 3u * 255 + 1);
    EXPECT_EQ(table[0], 0);
    EXPECT_EQ(table[1], 0);    // 1/3
    EXPECT_EQ(table[2], 1);    // 2/3
    EXPECT_EQ(table[765], 255);
    // Two passes, one edge pixel covered in one of them: half, rounded up;
    // the third pixel is not marked and keeps the first pass alone.
    std::vector<uint8_t> first = Tile({{255, 255, 255, 255}, {10, 20, 30, 255}, {1, 2, 3, 255}});
    const std::vector<uint8_t> second = Tile({{0, 0, 0, 0}, {11, 21, 31, 255}, {9, 9, 9, 9}});
    const std::vector<uint32_t> marks{0xFFFFFFFF, 0xFFFFFFFF, 0};
    std::vector<uint16_t> sums(12, 0);
    AddMarkedPass(first.data(), marks.data(), 3, sums.data());
    AddMarkedPass(second.data(), marks.data(), 3, sums.data());
    AverageMarked(sums.data(), AverageTable(2), marks.data(), 3, first.data());
    std::vector<uint32_t> rows(3);
    StoreTile(first.data(), 3, 3, 1, true, rows.data(), 3);
    EXPECT_EQ(rows, (std::vector<uint32_t>{0x80FFFFFF, 0xFF0B151F, 0xFF010203}));
}
