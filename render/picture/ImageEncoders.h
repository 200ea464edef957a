#pragma once
// The encoders of plenamar-render's picture files. Each takes every row of a
// picture (PictureRows.h), top row first, and writes the file onto its output
// as the rows come; Finish ends the file (the output may still hold the end
// in its buffer). A failed write raises
// TWriteFailure; any other failure of an encoder raises TError.
#include "render/picture/FileOutput.h"
#include "render/picture/PictureRows.h"

#include <memory>

class TImageEncoder : public TPictureRows {
public:
    virtual void Finish() = 0;
};

// PNG, RGB or, when alpha, RGBA with straight alpha, compressed at level 0
// (stored as it is: the largest files, the fastest) to MaxPngLevel (the
// smallest, the slowest); DefaultPngLevel is the fastest whose files are
// about as small as zlib's runs made them. A picture whose filtered rows take
// more than wholeBound bytes is compressed as it comes, in little memory (the
// second form is for tests; the first bounds at 64 MiB).
constexpr int DefaultPngLevel = 4;
constexpr int MaxPngLevel = 12;
std::unique_ptr<TImageEncoder> PngEncoder(TFileOutput& out, int width, int height, bool alpha, int level);
std::unique_ptr<TImageEncoder> PngEncoder(TFileOutput& out, int width, int height, bool alpha, int level,
                                          size_t wholeBound);

// JPEG at quality 0 to 100, or 95 for NoQuality (WebPAnimation.h); the
// alpha is dropped.
std::unique_ptr<TImageEncoder> JpegEncoder(TFileOutput& out, int width, int height, int quality);

// WebP, lossless for NoQuality, else lossy at quality 0 to 100; with alpha
// when the picture has any. The picture is held whole until Finish.
std::unique_ptr<TImageEncoder> WebPEncoder(TFileOutput& out, int width, int height, int quality);

// The snapshot's bitmap format (snapshot/BmpFile.h); the alpha is dropped.
std::unique_ptr<TImageEncoder> BmpEncoder(TFileOutput& out, int width, int height);
