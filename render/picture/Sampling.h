#pragma once
// Antialiasing in passes: a picture of N samples a pixel is drawn in one or
// more passes, each of a sample count that the target holds exactly, each
// moved by a fraction of a pixel so that the samples of all passes fall
// apart, and the passes are averaged.
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
