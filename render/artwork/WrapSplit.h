#pragma once
// Cutting a full scan of a box's sleeve, laid out back | spine | front, into
// its three faces. Plain numbers, no pictures.
#include <string>

// Where the spine lies in a scan: SpinePixels wide when given, otherwise
// SpineShare of the scan's width; either way centred, with the back and the
// front sharing the rest equally.
struct TWrapSplit {
    int SpinePixels = 0;
    double SpineShare = 0.0;

    bool operator==(const TWrapSplit&) const = default;
};

// The split of a scan by the box's proportions: the spine takes
// depth / (2 x width + depth) of it. Raises TError when the sizes give no
// share between 0 and 1 (a box of no depth, say).
TWrapSplit ProportionalSplit(float width, float depth);

// The widths of the three parts of a scan `scanWidth` pixels wide, from
// left to right; the front takes the odd pixel.
struct TWrapWidths {
    int Back = 0, Spine = 0, Front = 0;
};

// Raises TError naming the scan when it is too narrow to leave at least one
// column for each part.
TWrapWidths WrapWidths(int scanWidth, const TWrapSplit& split, const std::string& scanName);
