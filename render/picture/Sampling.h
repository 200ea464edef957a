#pragma once
// Antialiasing in passes: a picture of N samples a pixel is drawn in one or
// more passes, each of a sample count that the target holds exactly, each
// moved by a fraction of a pixel so that the samples of all passes fall
// apart, and the passes are averaged.
//
// The passes after the first are drawn only over the part of a tile where
// they can change what the picture shows: they draw the smallest rectangle
// that holds every pixel of the first pass lying more than EdgeContrast levels
// from a neighbour in any channel (an edge of the box, a line of its
// artwork), and those pixels take the average of all N samples. Elsewhere
// the picture is smooth: moved by under a pixel, it changes by about half
// that contrast at most, and the first pass stands alone.
#include "render/picture/Tiles.h"

#include <cstdint>
#include <vector>

struct TSamplePlan {
    int Passes = 1;
    int SamplesPerPass = 1;
};

// The fewest passes that make exactly `samples`, all of one count among
// `counts` (the counts a target holds; one sample is always possible).
TSamplePlan PlanSamples(int samples, const std::vector<int>& counts);

// How far a pass moves the picture, in pixels, to the right and up.
struct TPassOffset {
    double X = 0.0;
    double Y = 0.0;
};

// The move of pass `pass` of `passes`: one point in each column and each row
// of a passes x passes grid over the pixel, spread across it, and all of them
// together centred on the pixel's centre.
TPassOffset PassOffset(int pass, int passes);

// The most a pixel lies from each of its neighbours, in levels of any
// channel, where the first pass stands alone.
constexpr int EdgeContrast = 8;

// A pixel's mark when the later passes are to take it (all bits), else 0:
// a mask of its four bytes.
constexpr uint32_t Marked = 0xFFFFFFFFu;

// Marks in `marks`, one word a pixel, each pixel within `inner` of the
// width x height pass (4 bytes a pixel, rows in order, rectangles counting
// rows from the first) that lies more than `contrast` from any of its eight
// neighbours in any channel; clears the others.
void MarkContrast(const uint8_t* pass, int width, int height, const TPixelRect& inner, int contrast,
                  std::vector<uint32_t>& marks);

// The smallest rectangle that holds every marked pixel of a pass `width`
// pixels wide (rows counted from the first); empty when none is marked.
TPixelRect MarkedBounds(const std::vector<uint32_t>& marks, int width);
