#pragma once
// A drawn tile made into picture rows. The GL gives a tile as bytes blue,
// green, red, alpha per pixel (GL_BGRA), bottom row first, the colours
// premultiplied by their alpha; the passes of a tile are summed channel by
// channel and averaged. Picture rows are 32-bit words 0xAARRGGBB (QImage's
// ARGB32), top row first, with straight alpha; an opaque picture's alpha is 255.
#include <cstddef>
#include <cstdint>
#include <vector>

// Adds one pass of `bytes` bytes to the sums.
void AddPass(const uint8_t* pass, size_t bytes, uint16_t* sums);

// The average of `passes` sums (1 to 256) rounded to the nearest, by sum.
std::vector<uint8_t> AverageTable(int passes);

// A width x height tile of one pass, or of summed passes with their average
// table, into the rows at `to`, `stride` words apart.
void StoreTile(const uint8_t* pass, int width, int height, bool transparent, uint32_t* to, size_t stride);
void StoreTile(const uint16_t* sums, const std::vector<uint8_t>& average, int width, int height, bool transparent,
               uint32_t* to, size_t stride);
