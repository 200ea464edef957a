#include "snapshot/Antialias.h"

#include <algorithm>
#include <cmath>

namespace {

// Pulls neighbour n towards centre c, all three channels, when they differ.
inline void Pull(const uint8_t* c, uint8_t* n, double divisor)
{
    if (n[0] == c[0] && n[1] == c[1] && n[2] == c[2])
        return;
    for (int i = 0; i < 3; ++i) {
        const int pull = (n[i] - c[i]) * 50;
        // nearbyint rounds halves to even in the default rounding mode.
        n[i] = static_cast<uint8_t>(std::nearbyint(c[i] + pull / divisor));
    }
}

} // namespace

void AntialiasBitmap(TBitmap24& bitmap, int regionWidth, int regionHeight, int strength)
{
    const int r = std::min(regionWidth, bitmap.Width());
    const int s = std::min(regionHeight, bitmap.Height());
    if (r <= 1 || s <= 0)
        return;
    const double divisor = static_cast<double>(std::max(strength, 0)) + 50.0;
    for (int y = 0; y < s; ++y) {
        uint8_t* row = bitmap.Row(y);
        for (int x = 1; x < r; ++x) {
            uint8_t centre[3];
            std::copy_n(row + 3 * x, 3, centre);
            uint8_t* up = bitmap.Row(y >= 1 ? y - 1 : s - 1) + 3 * x;
            uint8_t* down = bitmap.Row(y <= s - 2 ? y + 1 : 0) + 3 * x;
            Pull(centre, row + 3 * (x - 1), divisor);
            Pull(centre, row + 3 * (x <= r - 2 ? x + 1 : 0), divisor);
            Pull(centre, up, divisor);
            Pull(centre, down, divisor);
        }
    }
}

void AntialiasImage(TBitmapPicture& picture, int width, int height, int strength)
{
    TBitmap24* bitmap = picture.Bitmap();
    if (!bitmap)
        return;
    picture.Changed();
    AntialiasBitmap(*bitmap, width, height, strength);
}
