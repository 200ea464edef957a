#pragma once
// How much of a face image a picture can show. A box shot frames the box to
// fill the picture, so a small picture of a box shows its face images at far
// fewer pixels than a large scan holds, and they can be read at a reduced
// size for it with nothing lost on screen. Plain numbers, no GL, no pictures.
#include "render/shapes/Shape.h"

#include <array>
#include <limits>

// The pixels a face image needs along its width and its height: at least as
// many as the picture can show along each at the place where the face is seen
// finest. Unbounded for an image whose detail no bound holds.
struct TImageNeed {
    static constexpr int Unbounded = std::numeric_limits<int>::max();
    int Width = Unbounded, Height = Unbounded;

    bool operator==(const TImageNeed&) const = default;
};

// What each face's image needs, indexed by TArtFace, in any picture of
// width x height pixels of the shape: in every pose, every look and every
// margin (the shape alone filling the picture is the closest it comes). The
// floor's image, which the background stretches over the whole picture, a
// face the shape does not show, and every face of a shape that reaches the
// eye (which no shot draws) stay unbounded.
std::array<TImageNeed, ArtFaceCount> FaceImageNeeds(const TShape& shape, int width, int height);
