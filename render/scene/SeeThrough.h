#pragma once
// The see-through parts of a shape (clear plastic): drawn after the opaque
// ones, their triangles from the farthest to the nearest in the pose, each
// blended over what lies behind it as a premultiplied colour, and writing no
// depth, so that every layer of plastic in front of a point shows and none
// hides another. With antialiasing the blend is per sample: edges stay
// smooth without a dark fringe.
#include "render/shapes/Shape.h"

#include <cstddef>
#include <vector>

// The indices of the see-through triangles, as part index and the index of
// the triangle's first vertex, from the farthest from the eye to the
// nearest, by the depth of their centres in the pose.
struct TTriangleAt {
    size_t Part = 0, First = 0;
};
std::vector<TTriangleAt> FarToNear(const TShape& shape, float xRotation, float yRotation);

// Draws them, lit when `lit` (the studio's lights set, glossy ones with
// their highlight); the modelview must hold the box's turn.
void DrawSeeThrough(const TShape& shape, float xRotation, float yRotation, bool lit);
