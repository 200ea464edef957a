#pragma once
// A picture drawn in tiles: each tile is drawn on its own through the part of
// the framing's view-plane rectangle that falls on it (a sub-frustum of the
// same projection), so the tiles join into the picture the whole would make.
// The GL's limits bound a tile, never the picture.
#include "render/framing/Framing.h"

#include <cstddef>

#include <vector>

// The side of the tiles a picture is drawn in unless asked otherwise: large
// enough that a tile's own work is small beside its pixels', small enough that
// its multisampled target takes little memory.
constexpr int DefaultTileSide = 1024;

// A rectangle of picture pixels: x to the right, y down from the top row.
struct TPixelRect {
    int X = 0, Y = 0, Width = 0, Height = 0;

    bool operator==(const TPixelRect&) const = default;
};

// The most bytes the rows of one row of tiles take as picture rows, 4 a
// pixel: a picture too wide for a row of its tiles to fit is drawn in lower
// tiles. Those rows are held twice, one row of tiles drawn while the one
// before it is written, and lower tiles draw no slower.
constexpr size_t TileRowBound = size_t(16) << 20;

// The height of the tiles of a picture `width` pixels wide: side, or as many
// rows as fit rowBound bytes if fewer, and at least one.
int TileHeight(int width, int side, size_t rowBound = TileRowBound);

// The tiles of a width x height picture, each at most side pixels wide and
// tileHeight high: rows of tiles from the top, each row from the left; only
// the last row and column are smaller.
std::vector<TPixelRect> PictureTiles(int width, int height, int side, int tileHeight);

// How one tile is drawn: the viewport within it, in GL's terms (origin at the
// tile's bottom left), and the view-plane rectangle that viewport shows. The
// viewport is empty where the framing's viewport misses the tile.
struct TTileView {
    int ViewportX = 0, ViewportY = 0, ViewportWidth = 0, ViewportHeight = 0;
    TViewRect Frustum;
};

// The view of tile in a picture pictureHeight pixels high, the scene moved by
// dx, dy pixels as ShiftedFrustum moves it. For the whole picture it is the
// framing itself.
TTileView TileView(const TFraming& framing, int pictureHeight, const TPixelRect& tile, double dx = 0.0,
                   double dy = 0.0);
