#pragma once
// Pixel access for tests on 24-bit bitmaps (blue, green, red).
#include "snapshot/Bitmap24.h"

#include <array>

using TBgr = std::array<uint8_t, 3>;

inline TBgr PixelAt(const TBitmap24& bitmap, int x, int y)
{
    const uint8_t* p = bitmap.Row(y) + 3 * x;
    return {p[0], p[1], p[2]};
}

inline void SetPixel(TBitmap24& bitmap, int x, int y, TBgr value)
{
    uint8_t* p = bitmap.Row(y) + 3 * x;
    p[0] = value[0];
    p[1] = value[1];
    p[2] = value[2];
}

inline TBgr Grey(uint8_t level)
{
    return {level, level, level};
}

// A bitmap whose pixels all differ from their neighbours.
inline TBitmap24 PatternBitmap(int width, int height)
{
    TBitmap24 bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            SetPixel(bitmap, x, y,
                     {static_cast<uint8_t>(x * 37 + y * 11), static_cast<uint8_t>(x * 5 + y * 71),
                      static_cast<uint8_t>((x ^ y) * 29)});
    return bitmap;
}
