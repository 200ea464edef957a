#pragma once
// A drawn tile made into picture rows. The GL gives a tile as bytes red,
// green, blue, alpha per pixel (GL_RGBA), bottom row first, the colours
// premultiplied by their alpha; where a tile takes more than one pass, the
// passes of its marked pixels (Sampling.h) are summed channel by channel and
// averaged. Picture rows are 32-bit words 0xAARRGGBB (QImage's ARGB32), top
// row first, with straight alpha; an opaque picture's alpha is 255.
#include <cstddef>
#include <cstdint>
#include <vector>

// Adds the marked pixels of one pass (4 bytes a pixel, a mark a pixel: all
// bits set or none) to their sums.
void AddMarkedPass(const uint8_t* pass, const uint32_t* marks, size_t pixels, uint16_t* sums);

// The average of `passes` sums (1 to 256) rounded to the nearest, by sum.
std::vector<uint8_t> AverageTable(int passes);

// The marked pixels of `pass` replaced by the average of their sums.
void AverageMarked(const uint16_t* sums, const std::vector<uint8_t>& average, const uint32_t* marks, size_t pixels,
                   uint8_t* pass);

// The width x height pixels of a pass whose rows are rowLength pixels long,
// into the rows at `to`, `stride` words apart.
void StoreTile(const uint8_t* pass, size_t rowLength, int width, int height, bool transparent, uint32_t* to,
               size_t stride);
