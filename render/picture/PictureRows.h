#pragma once
// Where the rows of a box shot go as they are drawn: a picture in memory, or
// a file being written (ImageFile.h).
#include <cstdint>

class TPictureRows {
public:
    virtual ~TPictureRows() = default;
    // count rows of the picture from row first down, one after another, each
    // as wide as the picture: 32-bit words 0xAARRGGBB (QImage's ARGB32) with
    // straight alpha, 255 throughout in an opaque picture. The rows come top
    // row first, each once.
    virtual void Put(int first, int count, const uint32_t* rows) = 0;
};
