#include "render/picture/Sampling.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <numeric>

namespace {

// The step between the rows of successive passes: prime to the number of
// passes, so that every row is taken once, and near its golden section, so
// that neighbouring passes fall far apart.
int RowStep(int passes)
{
    const double golden = 0.618 * passes;
    int step = 1;
    for (int k = 2; k < passes; ++k)
        if (std::gcd(k, passes) == 1 && std::abs(k - golden) < std::abs(step - golden))
            step = k;
    return step;
}

// Four pixels at once, a byte a channel, and their four marks; the compiler
// makes vector code of it on every machine.
using TFourPixels = uint8_t __attribute__((vector_size(16)));
using TFourMarks = uint32_t __attribute__((vector_size(16)));

template <typename T, typename Byte>
T Load(const Byte* from)
{
    T v;
    std::memcpy(&v, from, sizeof v);
    return v;
}

// apart[k] for each of the `count` pairs of pixels at a and b: all bits when
// the two lie more than `contrast` apart in any channel, else 0.
void Apart(const uint8_t* a, const uint8_t* b, int count, uint8_t contrast, uint32_t* apart)
{
    int k = 0;
    for (; k + 4 <= count; k += 4) {
        const TFourPixels p = Load<TFourPixels>(a + size_t(k) * 4), q = Load<TFourPixels>(b + size_t(k) * 4);
        const TFourPixels over = (p > q ? p - q : q - p) > contrast;
        const TFourMarks marks = Load<TFourMarks>(&over) != 0;
        std::memcpy(apart + k, &marks, sizeof marks);
    }
    for (; k < count; ++k) {
        bool far = false;
        for (size_t c = 0; c < 4; ++c) {
            const uint8_t p = a[size_t(k) * 4 + c], q = b[size_t(k) * 4 + c];
            far = far || (p > q ? p - q : q - p) > contrast;
        }
        apart[k] = far ? Marked : 0;
    }
}

// marks[x] |= the OR of the `terms` at x, for x from 0 to count.
void OrInto(uint32_t* marks, int count, std::initializer_list<const uint32_t*> terms)
{
    int x = 0;
    for (; x + 4 <= count; x += 4) {
        TFourMarks m = Load<TFourMarks>(marks + x);
        for (const uint32_t* term : terms)
            m |= Load<TFourMarks>(term + x);
        std::memcpy(marks + x, &m, sizeof m);
    }
    for (; x < count; ++x)
        for (const uint32_t* term : terms)
            marks[x] |= term[x];
}

} // namespace

TSamplePlan PlanSamples(int samples, const std::vector<int>& counts)
{
    samples = std::max(samples, 1);
    int perPass = 1;
    for (int count : counts)
        if (count > perPass && samples % count == 0)
            perPass = count;
    return {samples / perPass, perPass};
}

TPassOffset PassOffset(int pass, int passes)
{
    const int row = pass * RowStep(passes) % passes;
    return {(pass + 0.5) / passes - 0.5, (row + 0.5) / passes - 0.5};
}

void MarkContrast(const uint8_t* pass, int width, int height, const TPixelRect& inner, int contrast,
                  std::vector<uint32_t>& marks)
{
    marks.assign(size_t(width) * size_t(height), 0);
    const auto limit = uint8_t(std::clamp(contrast, 0, 255));
    const size_t stride = size_t(width) * 4;
    // The pairs of a row and of it and the row above, one word a pair, the
    // pair of pixels x - 1 and x at x (0 beyond either end): along the row,
    // up, and up the two diagonals.
    const size_t w = size_t(width);
    std::vector<uint32_t> along(w + 1, 0), up(w + 1, 0), rising(w + 1, 0), falling(w + 1, 0);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = pass + size_t(y) * stride;
        uint32_t* marked = marks.data() + size_t(y) * w;
        Apart(row, row + 4, width - 1, limit, along.data() + 1);
        if (y + 1 == height) {
            OrInto(marked, width, {along.data(), along.data() + 1});
            continue;
        }
        const uint8_t* above = row + stride;
        Apart(row, above, width, limit, up.data());
        Apart(row, above + 4, width - 1, limit, rising.data() + 1);   // x - 1 here, x above
        Apart(row + 4, above, width - 1, limit, falling.data() + 1);  // x here, x - 1 above
        OrInto(marked, width, {along.data(), along.data() + 1, up.data(), rising.data() + 1, falling.data()});
        OrInto(marked + w, width, {up.data(), rising.data(), falling.data() + 1});
    }
    // Only the pixels within inner; those around it only lent their colours.
    for (int y = 0; y < height; ++y) {
        uint32_t* row = marks.data() + size_t(y) * size_t(width);
        if (y < inner.Y || y >= inner.Y + inner.Height) {
            std::fill(row, row + width, 0u);
            continue;
        }
        std::fill(row, row + inner.X, 0u);
        std::fill(row + inner.X + inner.Width, row + width, 0u);
    }
}

TPixelRect MarkedBounds(const std::vector<uint32_t>& marks, int width)
{
    const int height = width > 0 ? int(marks.size() / size_t(width)) : 0;
    int left = width, right = 0, bottom = height, top = 0;
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = marks.data() + size_t(y) * size_t(width);
        const uint32_t* first = std::find(row, row + width, Marked);
        if (first == row + width)
            continue;
        const uint32_t* last =
            std::find(std::make_reverse_iterator(row + width), std::make_reverse_iterator(row), Marked).base() - 1;
        left = std::min(left, int(first - row));
        right = std::max(right, int(last - row) + 1);
        bottom = std::min(bottom, y);
        top = y + 1;
    }
    if (left >= right)
        return {};
    return {left, bottom, right - left, top - bottom};
}
