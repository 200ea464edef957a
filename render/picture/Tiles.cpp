#include "render/picture/Tiles.h"

#include <algorithm>
#include <cmath>

int TileHeight(int width, int side, size_t rowBound)
{
    const size_t rows = rowBound / (size_t(std::max(width, 1)) * 4);
    return int(std::clamp<size_t>(rows, 1, size_t(std::max(side, 1))));
}

std::vector<TPixelRect> PictureTiles(int width, int height, int side, int tileHeight)
{
    std::vector<TPixelRect> tiles;
    side = std::max(side, 1);
    tileHeight = std::max(tileHeight, 1);
    for (int y = 0; y < height; y += tileHeight)
        for (int x = 0; x < width; x += side)
            tiles.push_back({x, y, std::min(side, width - x), std::min(tileHeight, height - y)});
    return tiles;
}

TTileView TileView(const TFraming& framing, int pictureHeight, const TPixelRect& tile, double dx, double dy)
{
    // The tile in GL's terms, and the part of it the framing's viewport covers.
    const int tileLeft = tile.X, tileBottom = pictureHeight - tile.Y - tile.Height;
    const int left = std::max(tileLeft, framing.ViewportX);
    const int right = std::min(tileLeft + tile.Width, framing.ViewportX + framing.ViewportWidth);
    const int bottom = std::max(tileBottom, framing.ViewportY);
    const int top = std::min(tileBottom + tile.Height, framing.ViewportY + framing.ViewportHeight);
    const TViewRect f = ShiftedFrustum(framing, dx, dy);
    if (left >= right || bottom >= top)
        return {0, 0, 0, 0, f};
    // Interpolated so that the framing's own edges come out exactly.
    auto across = [&](int x) {
        return std::lerp(f.Left, f.Right, double(x - framing.ViewportX) / framing.ViewportWidth);
    };
    auto up = [&](int y) { return std::lerp(f.Bottom, f.Top, double(y - framing.ViewportY) / framing.ViewportHeight); };
    return {left - tileLeft,
            bottom - tileBottom,
            right - left,
            top - bottom,
            {across(left), across(right), up(bottom), up(top)}};
}
