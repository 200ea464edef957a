#include "render/picture/TilePixels.h"

#include <algorithm>

namespace {

// A pixel premultiplied by its alpha a, made straight.
uint32_t Straight(uint32_t r, uint32_t g, uint32_t b, uint32_t a)
{
    if (a == 0)
        return 0;
    if (a < 255) {
        r = std::min(255u, (r * 255 + a / 2) / a);
        g = std::min(255u, (g * 255 + a / 2) / a);
        b = std::min(255u, (b * 255 + a / 2) / a);
    }
    return a << 24 | r << 16 | g << 8 | b;
}

template <typename T>
void Store(const T* from, const uint8_t* average, int width, int height, bool transparent, uint32_t* to,
           size_t stride)
{
    for (int y = 0; y < height; ++y) {
        const T* in = from + size_t(height - 1 - y) * size_t(width) * 4;
        uint32_t* out = to + size_t(y) * stride;
        if (transparent) {
            for (int x = 0; x < width; ++x, in += 4)
                out[x] = Straight(average[in[2]], average[in[1]], average[in[0]], average[in[3]]);
        } else {
            for (int x = 0; x < width; ++x, in += 4)
                out[x] = 0xFF000000u | uint32_t(average[in[2]]) << 16 | uint32_t(average[in[1]]) << 8 |
                         average[in[0]];
        }
    }
}

} // namespace

void AddPass(const uint8_t* __restrict pass, size_t bytes, uint16_t* __restrict sums)
{
    // Blocks of a fixed length, which the compiler turns into vector code.
    constexpr size_t Block = 64;
    size_t i = 0;
    for (; i + Block <= bytes; i += Block)
        for (size_t j = i; j < i + Block; ++j)
            sums[j] = uint16_t(sums[j] + pass[j]);
    for (; i < bytes; ++i)
        sums[i] = uint16_t(sums[i] + pass[i]);
}

std::vector<uint8_t> AverageTable(int passes)
{
    std::vector<uint8_t> table(size_t(255 * passes + 1));
    for (size_t sum = 0; sum < table.size(); ++sum)
        table[sum] = uint8_t((sum + size_t(passes / 2)) / size_t(passes));
    return table;
}

void StoreTile(const uint8_t* pass, int width, int height, bool transparent, uint32_t* to, size_t stride)
{
    static const std::vector<uint8_t> same = AverageTable(1);
    Store(pass, same.data(), width, height, transparent, to, stride);
}

void StoreTile(const uint16_t* sums, const std::vector<uint8_t>& average, int width, int height, bool transparent,
               uint32_t* to, size_t stride)
{
    Store(sums, average.data(), width, height, transparent, to, stride);
}
