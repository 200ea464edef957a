#pragma once
// What the renderer does with a face image's pixels before they go to GL:
// four bytes a pixel (red, green, blue, alpha), the bottom row first, as the
// texture object holds them. Plain memory, no GL.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

using TRgba = std::array<uint8_t, 4>;

struct TPixelsView {
    const uint8_t* Data = nullptr;
    int Width = 0, Height = 0;
};

// The edges of a face image that other faces are filled from: the right
// column meets the spine on the box, the top row meets the top.
enum class TImageEdge { Right, Top };

// The colour of a face filled from the image's edge: the average of the
// outermost column or row that any pixel covers, each pixel weighted by its
// alpha (so that a die-cut front gives the colour of its visible edge), and
// opaque. A wholly transparent image gives transparent black.
TRgba EdgeColour(const TPixelsView& image, TImageEdge edge);

// The columns left to left + width - 1 of every row, as a buffer of their
// own; nothing when it cannot be allocated.
std::unique_ptr<uint8_t[]> CropColumns(const TPixelsView& image, int left, int width);

// Gives the wholly transparent pixels within `reach` pixels of a visible one
// the colour of their visible neighbours, so that filtering and scaling the
// image, which mix a pixel with its neighbours whatever their alpha, do not
// darken the edges of its cut-outs. Alpha and visible colours stay.
void BleedIntoTransparent(uint8_t* rgba, int width, int height, int reach);

// Whether every pixel of the image is wholly opaque.
bool IsOpaque(const TPixelsView& image);

// Multiplies each pixel's colour by its alpha, for images drawn blended.
void PremultiplyAlpha(uint8_t* rgba, size_t pixels);
