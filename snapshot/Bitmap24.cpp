#include "snapshot/Bitmap24.h"

#include "platform/Error.h"

#include <string>

namespace {

// The file header, the info header and the pixel data must fit in 32 bits.
constexpr int64_t MaxImageBytes = 0xFFFFFFFFLL - 54;

} // namespace

int64_t TBitmap24::ImageBytes(int64_t width, int64_t height)
{
    if (width < 0 || height < 0 || width > MaxImageBytes / 3)
        return -1;
    const int64_t row = RowBytes(width);
    if (row != 0 && height > MaxImageBytes / row)
        return -1;
    return row * height;
}

TBitmap24::TBitmap24(int width, int height)
{
    const int64_t bytes = ImageBytes(width, height);
    if (bytes < 0)
        throw TError("Cannot make a bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
                     " pixels");
    Width_ = width;
    Height_ = height;
    Stride_ = static_cast<size_t>(RowBytes(width));
    Bytes_.assign(static_cast<size_t>(bytes), 0);
}
