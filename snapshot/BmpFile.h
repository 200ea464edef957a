#pragma once
// The bitmap file of snapshots and exports: BMP, 24 bits per pixel,
// uncompressed, a 40-byte info header, no colour table, rows bottom-up and
// padded to 4 bytes.
#include "snapshot/Bitmap24.h"

#include <string>
#include <string_view>

// The whole file for bitmap.
std::string EncodeBmp(const TBitmap24& bitmap);

// The file's two headers, for a width x height bitmap whose rows follow them;
// raises TError when the file would not fit the format's 32-bit sizes.
std::string BmpHeaders(int width, int height);

// Reads a 24-bit uncompressed BMP (rows bottom-up, or top-down when the height
// is negative). Anything else, or a file too short for its pixels, raises
// TError "Bitmap image is not valid".
TBitmap24 DecodeBmp(std::string_view data);

// Writes the bitmap with WriteFileAtomically: a failure raises TInOutError
// "Cannot create file <fileName>: <reason>" and leaves any previous file as it
// was; a read-only file is refused, a link's target is replaced.
void SaveBitmapToFile(const TBitmap24& bitmap, const std::string& fileName);

// Reads a bitmap file; raises TError "Cannot open file <fileName>: <reason>"
// when it cannot be read, or DecodeBmp's error.
TBitmap24 LoadBitmapFromFile(const std::string& fileName);
