#include "render/picture/Sampling.h"

#include <algorithm>
#include <array>
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
using TFourMarks = uint32_t __attribute__((vector_size(16)));

template <typename T>
T Load(const void* from)
{
    T v;
    std::memcpy(&v, from, sizeof v);
    return v;
}

template <typename T>
T Larger(T a, T b)
{
    return a > b ? a : b;
}

template <typename T>
T Smaller(T a, T b)
{
    return a < b ? a : b;
}

// A row's pixel x and its neighbours along the row, each byte the largest
// (most) or the smallest (least) of theirs; the end pixels have one neighbour.
class TAlongRow {
public:
    void Take(const uint8_t* row, int width)
    {
        const size_t bytes = size_t(width) * 4;
        Most_.resize(bytes);
        Least_.resize(bytes);
        int x = 1;
        for (; x + 4 < width; x += 4) {
            const size_t at = size_t(x) * 4;
            const TFourPixels left = Load<TFourPixels>(row + at - 4), here = Load<TFourPixels>(row + at),
                              right = Load<TFourPixels>(row + at + 4);
            const TFourPixels most = Larger(Larger(left, here), right), least = Smaller(Smaller(left, here), right);
            std::memcpy(Most_.data() + at, &most, sizeof most);
            std::memcpy(Least_.data() + at, &least, sizeof least);
        }
        Span(row, width, 0);
        for (; x < width; ++x)
            Span(row, width, x);
    }

    const uint8_t* Most() const { return Most_.data(); }
    const uint8_t* Least() const { return Least_.data(); }

private:
    void Span(const uint8_t* row, int width, int x)
    {
        const size_t from = size_t(std::max(x - 1, 0)) * 4, to = size_t(std::min(x + 1, width - 1)) * 4;
        for (size_t c = 0; c < 4; ++c) {
            uint8_t most = row[from + c], least = most;
            for (size_t at = from + 4 + c; at <= to + c; at += 4) {
                most = std::max(most, row[at]);
                least = std::min(least, row[at]);
            }
            Most_[size_t(x) * 4 + c] = most;
            Least_[size_t(x) * 4 + c] = least;
        }
    }

    std::vector<uint8_t> Most_, Least_;
};

// marks[x] for the `bytes` / 4 pixels of a row: all bits when the most or
// the least of its neighbourhood, along the row and the rows above and below
// it, lies more than `contrast` from it in any channel, else 0.
void MarkRow(const uint8_t* row, const TAlongRow& above, const TAlongRow& along, const TAlongRow& below,
             size_t bytes, uint8_t contrast, uint32_t* marks)
{
    size_t at = 0;
    for (; at + 16 <= bytes; at += 16) {
        const auto most = Larger(Larger(Load<TFourPixels>(above.Most() + at), Load<TFourPixels>(along.Most() + at)),
                               Load<TFourPixels>(below.Most() + at));
        const auto least =
            Smaller(Smaller(Load<TFourPixels>(above.Least() + at), Load<TFourPixels>(along.Least() + at)),
                  Load<TFourPixels>(below.Least() + at));
        const TFourPixels here = Load<TFourPixels>(row + at);
        const TFourPixels over = (most - here > contrast) | (here - least > contrast);
        const TFourMarks apart = Load<TFourMarks>(&over) != 0;
        std::memcpy(marks + at / 4, &apart, sizeof apart);
    }
    for (; at < bytes; at += 4) {
        bool far = false;
        for (size_t c = at; c < at + 4; ++c) {
            const uint8_t most = std::max({above.Most()[c], along.Most()[c], below.Most()[c]});
            const uint8_t least = std::min({above.Least()[c], along.Least()[c], below.Least()[c]});
            far = far || most - row[c] > contrast || row[c] - least > contrast;
        }
        marks[at / 4] = far ? Marked : 0;
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
                  std::vector<uint32_t>& marks)
{
    if (width <= 0 || height <= 0) {
        marks.clear();
        return;
    }
    const size_t w = size_t(width), stride = w * 4;
    marks.resize(w * size_t(height));
    const auto limit = uint8_t(std::clamp(contrast, 0, 255));
    // A pixel lies more than the contrast from one of its eight neighbours
    // when the largest or the smallest value of its 3 x 3 neighbourhood does,
    // taken along the rows, then across the three rows around it (two at the
    // first and last).
    std::array<TAlongRow, 3> along;  // row y's at y % 3
    for (int y = std::max(inner.Y - 1, 0); y < std::min(inner.Y + 1, height); ++y)
        along[size_t(y % 3)].Take(pass + size_t(y) * stride, width);
    for (int y = 0; y < height; ++y) {
        uint32_t* row = marks.data() + size_t(y) * w;
        if (y < inner.Y || y >= inner.Y + inner.Height) {
            std::fill(row, row + w, 0u);
            continue;
        }
        if (y + 1 < height)
            along[size_t((y + 1) % 3)].Take(pass + size_t(y + 1) * stride, width);
        const TAlongRow& here = along[size_t(y % 3)];
        MarkRow(pass + size_t(y) * stride, y > 0 ? along[size_t((y + 2) % 3)] : here, here,
                y + 1 < height ? along[size_t((y + 1) % 3)] : here, stride, limit, row);
        // Only the pixels within inner; those around it only lent their colours.
        std::fill(row, row + inner.X, 0u);
        std::fill(row + inner.X + inner.Width, row + w, 0u);
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
