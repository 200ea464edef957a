#pragma once
// The shape's frame turned into a glTF file's: metres, y up, the front
// facing +z and the shape standing on y = 0; texture coordinates from the
// image's top-left corner. The shape's frame has the top at -y and the front
// facing -z, so the turn is half a turn about x, which keeps the triangles'
// winding; its texture coordinates start at the image's bottom row.
#include "render/shapes/Shape.h"

#include <array>

constexpr double MetresPerUnit = MillimetresPerUnit / 1000.0;

struct TModelVertex {
    std::array<float, 3> Position, Normal;
    std::array<float, 2> TexCoord;
};

TModelVertex ModelVertex(const TShapeVertex& vertex, const TBoxSize& size);
