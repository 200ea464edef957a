#include "render/picture/TilePixels.h"

#include <algorithm>
#include <bit>
#include <cstring>

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

} // namespace

void AddMarkedPass(const uint8_t* __restrict pass, const uint32_t* __restrict marks, size_t pixels,
                   uint16_t* __restrict sums)
{
    // Without a branch, which the compiler turns into vector code.
    const auto* mask = reinterpret_cast<const uint8_t*>(marks);
    for (size_t c = 0; c < pixels * 4; ++c)
        sums[c] = uint16_t(sums[c] + (pass[c] & mask[c]));
}

std::vector<uint8_t> AverageTable(int passes)
{
    std::vector<uint8_t> table(size_t(255 * passes + 1));
    for (size_t sum = 0; sum < table.size(); ++sum)
        table[sum] = uint8_t((sum + size_t(passes / 2)) / size_t(passes));
    return table;
}

void AverageMarked(const uint16_t* sums, const std::vector<uint8_t>& average, const uint32_t* marks, size_t pixels,
                   uint8_t* pass)
{
    for (size_t i = 0; i < pixels; ++i)
        if (marks[i])
            for (size_t c = 4 * i; c < 4 * i + 4; ++c)
                pass[c] = average[sums[c]];
}

void StoreTile(const uint8_t* pass, size_t rowLength, int width, int height, bool transparent, uint32_t* to,
               size_t stride)
{
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = pass + size_t(height - 1 - y) * rowLength * 4;
        uint32_t* out = to + size_t(y) * stride;
        if (transparent) {
            for (int x = 0; x < width; ++x, in += 4)
                out[x] = Straight(in[0], in[1], in[2], in[3]);
        } else {
            // R, G, B, A in memory are the word 0xAABBGGRR: R and B change places.
            static_assert(std::endian::native == std::endian::little);
            for (int x = 0; x < width; ++x, in += 4) {
                uint32_t rgba;
                std::memcpy(&rgba, in, 4);
                out[x] = 0xFF000000u | (rgba & 0xFF) << 16 | (rgba & 0xFF00) | (rgba >> 16 & 0xFF);
            }
        }
    }
}
