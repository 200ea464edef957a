#pragma once
// How large a 3D file's texture of a face needs to be: no larger than the
// image itself, than the print-like detail of the millimetres it covers on
// the shape, or than the side asked for. Plain numbers, no images.
#include "render/artwork/BoxPlan.h"
#include "render/shapes/Shape.h"

// The detail a texture holds at most: 300 pixels an inch.
constexpr double TexturePixelsPerMillimetre = 300.0 / 25.4;

struct TImageSpan {
    double Width = 0, Height = 0;  // millimetres
};

// The millimetres that the face's whole image spans on the shape along its
// width and its height: the most of any of its parts' triangles; 0 where
// no part shows it.
TImageSpan ImageSpan(const TShape& shape, TArtFace face);

// The texture's size for an image of `image` pixels spanning `span`: along
// each side no more than the image's or the detail's, then scaled down as a
// whole to at most `most` a side; at least 1.
TPixelSize TextureSize(TPixelSize image, const TImageSpan& span, int most);
