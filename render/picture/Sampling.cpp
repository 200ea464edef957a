#include "render/picture/Sampling.h"

#include <algorithm>
#include <cmath>
#include <cstring>
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
using TFourWords = uint32_t __attribute__((vector_size(16)));
using TFourMarks = uint8_t __attribute__((vector_size(4)));

template <typename T>
T Load(const uint8_t* from)
{
    T v;
    std::memcpy(&v, from, sizeof v);
    return v;
}

void OrInto(uint8_t* marks, TFourMarks mark)
{
    mark |= Load<TFourMarks>(marks);
    std::memcpy(marks, &mark, sizeof mark);
}

// Marks both pixels of each of the `count` pairs at a and b that lie more
// than `contrast` apart in any channel.
void MarkApart(const uint8_t* a, const uint8_t* b, int count, uint8_t contrast, uint8_t* marksA, uint8_t* marksB)
{
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const TFourPixels p = Load<TFourPixels>(a + size_t(i) * 4), q = Load<TFourPixels>(b + size_t(i) * 4);
        const TFourPixels over = (p > q ? p - q : q - p) > contrast;
        TFourWords apart;
        std::memcpy(&apart, &over, sizeof apart);
        const TFourMarks mark = __builtin_convertvector(apart != 0, TFourMarks) & 1;
        OrInto(marksA + i, mark);
        OrInto(marksB + i, mark);
    }
    for (; i < count; ++i) {
        uint8_t mark = 0;
        for (size_t c = 0; c < 4; ++c) {
            const uint8_t p = a[size_t(i) * 4 + c], q = b[size_t(i) * 4 + c];
            mark |= (p > q ? p - q : q - p) > contrast;
        }
        marksA[i] |= mark;
        marksB[i] |= mark;
    }
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
                  std::vector<uint8_t>& marks)
{
    marks.assign(size_t(width) * size_t(height), 0);
    const auto limit = uint8_t(std::clamp(contrast, 0, 255));
    const size_t stride = size_t(width) * 4;
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = pass + size_t(y) * stride;
        uint8_t* marked = marks.data() + size_t(y) * size_t(width);
        // The right neighbour, then the three above: every pair once.
        MarkApart(row, row + 4, width - 1, limit, marked, marked + 1);
        if (y + 1 == height)
            continue;
        const uint8_t* above = row + stride;
        uint8_t* markedAbove = marked + width;
        MarkApart(row, above, width, limit, marked, markedAbove);
        MarkApart(row, above + 4, width - 1, limit, marked, markedAbove + 1);
        MarkApart(row + 4, above, width - 1, limit, marked + 1, markedAbove);
    }
    // Only the pixels within inner; those around it only lent their colours.
    for (int y = 0; y < height; ++y) {
        uint8_t* row = marks.data() + size_t(y) * size_t(width);
        if (y < inner.Y || y >= inner.Y + inner.Height) {
            std::fill(row, row + width, uint8_t(0));
            continue;
        }
        std::fill(row, row + inner.X, uint8_t(0));
        std::fill(row + inner.X + inner.Width, row + width, uint8_t(0));
    }
}

TPixelRect MarkedBounds(const std::vector<uint8_t>& marks, int width)
{
    const int height = width > 0 ? int(marks.size() / size_t(width)) : 0;
    int left = width, right = 0, bottom = height, top = 0;
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = marks.data() + size_t(y) * size_t(width);
        const uint8_t* first = std::find(row, row + width, uint8_t(1));
        if (first == row + width)
            continue;
        const uint8_t* last = std::find(std::make_reverse_iterator(row + width), std::make_reverse_iterator(row),
                                        uint8_t(1)).base() - 1;
        left = std::min(left, int(first - row));
        right = std::max(right, int(last - row) + 1);
        bottom = std::min(bottom, y);
        top = y + 1;
    }
    if (left >= right)
        return {};
    return {left, bottom, right - left, top - bottom};
}
