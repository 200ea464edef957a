#pragma once
// Capture of the view: rows of the bound framebuffer into a 24-bit bitmap
// file. Window row 1 (one above the bottom row) becomes the bottom row of the
// bitmap and window row height its top row; window row 0 is never read.
#include "snapshot/Bitmap24.h"

#include <cstdint>
#include <functional>
#include <string>

// Reads window row windowRow, columns 0 to width - 1, as blue, green, red bytes.
using TRowReader = std::function<void(int windowRow, int width, uint8_t* row)>;

// Reads one row of the currently bound framebuffer with glReadPixels (GL_BGR).
// Needs the view's rendering context current.
void ReadFramebufferRow(int windowRow, int width, uint8_t* row);

// Fills bitmap row height - i from window row i, for i = 1 to height. A row
// whose read raises keeps its previous bytes and the next row is read.
void ReadRows(TBitmap24& bitmap, const TRowReader& readRow);

// Makes a width x height bitmap, reads its rows (from the view's framebuffer
// unless another reader is given) and writes it to fileName. The file is
// written even when making the bitmap raised; that error then goes on to the
// caller, unless the write fails as well: then the write's error goes.
void CaptureViewToFile(const std::string& fileName, int width, int height,
                       const TRowReader& readRow = ReadFramebufferRow);
