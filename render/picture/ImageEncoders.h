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

// PNG, RGB or, when alpha, RGBA with straight alpha. Filtered by Paeth and
// compressed as runs (zlib's Z_RLE): files about as small as zlib's usual
// effort makes, in a third of the time.
std::unique_ptr<TImageEncoder> PngEncoder(TFileOutput& out, int width, int height, bool alpha);

// JPEG at quality 95; the alpha is dropped.
std::unique_ptr<TImageEncoder> JpegEncoder(TFileOutput& out, int width, int height);

// The snapshot's bitmap format (snapshot/BmpFile.h); the alpha is dropped.
std::unique_ptr<TImageEncoder> BmpEncoder(TFileOutput& out, int width, int height);
