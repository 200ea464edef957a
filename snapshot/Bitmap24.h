#pragma once
// A 24-bit picture in memory: 3 bytes per pixel in the order blue, green, red;
// rows addressed top-down (row 0 is the top row), each padded to a multiple
// of 4 bytes as in a bitmap file, the padding bytes zero.
#include <cstddef>
#include <cstdint>
#include <vector>

class TBitmap24 {
public:
    TBitmap24() = default;
    // A black width x height picture. Raises TError for a negative size or one
    // whose bitmap file would not fit the format's 32-bit sizes.
    TBitmap24(int width, int height);

    int Width() const { return Width_; }
    int Height() const { return Height_; }
    size_t Stride() const { return Stride_; }
    uint8_t* Row(int y) { return Bytes_.data() + static_cast<size_t>(y) * Stride_; }
    const uint8_t* Row(int y) const { return Bytes_.data() + static_cast<size_t>(y) * Stride_; }
    // All rows, top row first, with their padding.
    const std::vector<uint8_t>& Bytes() const { return Bytes_; }

    bool operator==(const TBitmap24&) const = default;

    // Bytes in a row of width pixels, padded to 4; the size of the pixel data of
    // a width x height bitmap file, or -1 when it is negative or too large.
    static int64_t RowBytes(int64_t width) { return (width * 3 + 3) / 4 * 4; }
    static int64_t ImageBytes(int64_t width, int64_t height);

private:
    int Width_ = 0;
    int Height_ = 0;
    size_t Stride_ = 0;
    std::vector<uint8_t> Bytes_;
};
