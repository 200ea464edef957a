#include "render/artwork/FacePixels.h"

#include "cover/LargeBuffer.h"

#include <cstring>
#include <vector>

namespace {

// Alpha-weighted sums over one line of pixels, `step` bytes apart.
struct TLineSum {
    uint64_t Colour[3] = {};
    uint64_t Alpha = 0;
};

TLineSum SumLine(const uint8_t* first, int count, size_t step)
{
    TLineSum sum;
    for (int i = 0; i < count; ++i, first += step) {
        for (int c = 0; c < 3; ++c)
            sum.Colour[c] += uint64_t(first[c]) * first[3];
        sum.Alpha += first[3];
    }
    return sum;
}

} // namespace

TRgba EdgeColour(const TPixelsView& image, TImageEdge edge)
{
    const size_t row = size_t(image.Width) * 4;
    // The lines from the edge inwards: columns from the right, or rows from
    // the top, which is the last row in memory.
    const int lines = edge == TImageEdge::Right ? image.Width : image.Height;
    for (int line = 0; line < lines; ++line) {
        const TLineSum sum =
            edge == TImageEdge::Right
                ? SumLine(image.Data + size_t(image.Width - 1 - line) * 4, image.Height, row)
                : SumLine(image.Data + size_t(image.Height - 1 - line) * row, image.Width, 4);
        if (sum.Alpha == 0)
            continue;
        TRgba colour{0, 0, 0, 255};
        for (int c = 0; c < 3; ++c)
            colour[size_t(c)] = uint8_t((sum.Colour[c] + sum.Alpha / 2) / sum.Alpha);
        return colour;
    }
    return {0, 0, 0, 0};
}

std::unique_ptr<uint8_t[]> CropColumns(const TPixelsView& image, int left, int width)
{
    std::unique_ptr<uint8_t[]> part = AllocateLargeBuffer(size_t(width) * size_t(image.Height) * 4);
    if (!part)
        return part;
    for (int y = 0; y < image.Height; ++y)
        std::memcpy(part.get() + size_t(y) * size_t(width) * 4,
                    image.Data + (size_t(y) * size_t(image.Width) + size_t(left)) * 4, size_t(width) * 4);
    return part;
}

bool IsOpaque(const TPixelsView& image)
{
    const size_t count = size_t(image.Width) * size_t(image.Height);
    uint8_t all = 255;
    for (size_t i = 0; i < count; ++i)
        all &= image.Data[i * 4 + 3];
    return all == 255;
}

void BleedIntoTransparent(uint8_t* rgba, int width, int height, int reach)
{
    const size_t count = size_t(width) * size_t(height);
    size_t hidden = 0;
    while (hidden < count && rgba[hidden * 4 + 3] != 0)
        ++hidden;
    if (hidden == count)
        return;  // an opaque image, as most are
    // Which pixels give their colour: the visible ones, then those coloured by
    // an earlier step.
    std::vector<uint8_t> known(count);
    for (size_t i = 0; i < count; ++i)
        known[i] = rgba[i * 4 + 3] != 0;
    for (int step = 0; step < reach; ++step) {
        std::vector<uint8_t> next = known;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const size_t at = size_t(y) * size_t(width) + size_t(x);
                if (known[at])
                    continue;
                unsigned sum[3] = {}, n = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        if (nx < 0 || ny < 0 || nx >= width || ny >= height)
                            continue;
                        const size_t from = size_t(ny) * size_t(width) + size_t(nx);
                        if (!known[from])
                            continue;
                        for (int c = 0; c < 3; ++c)
                            sum[c] += rgba[from * 4 + size_t(c)];
                        ++n;
                    }
                if (n == 0)
                    continue;
                for (int c = 0; c < 3; ++c)
                    rgba[at * 4 + size_t(c)] = uint8_t((sum[c] + n / 2) / n);
                next[at] = 1;
            }
        known.swap(next);
    }
}

void PremultiplyAlpha(uint8_t* rgba, size_t pixels)
{
    for (size_t i = 0; i < pixels; ++i, rgba += 4)
        for (int c = 0; c < 3; ++c)
            rgba[c] = uint8_t((rgba[c] * rgba[3] + 127) / 255);
}
