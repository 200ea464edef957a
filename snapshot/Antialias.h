#pragma once
// The smoothing pass of snapshots (shown as "antialiasing"): every pixel of a
// region pulls its four neighbours towards its own colour, in place.
#include "snapshot/Bitmap24.h"
#include "snapshot/BitmapPicture.h"

// Smooths the top-left regionWidth x regionHeight pixels of bitmap (clipped to
// the bitmap). Centres run along each row from column 1, rows top to bottom;
// each visits left, right, up and down, the right neighbour of the last column
// being column 0 and rows wrapping both ways within the region. A neighbour
// that differs from the centre in any channel gets every channel
// c + (n - c) * 50 / (strength + 50), rounded half to even. Every read sees
// the writes before it. A negative strength counts as 0 (nothing moves).
void AntialiasBitmap(TBitmap24& bitmap, int regionWidth, int regionHeight, int strength);

// Smooths the picture of an image control whose size is width x height and
// raises the picture's change notification, so that the control repaints.
// Nothing when the picture is empty.
void AntialiasImage(TBitmapPicture& picture, int width, int height, int strength);
