#pragma once
// How much of a face image a picture can show. A box shot frames the box to
// fill the picture, so a small picture of a box shows its face images at far
// fewer pixels than a large scan holds, and they can be read at a reduced
// size for it with nothing lost on screen. Plain numbers, no GL, no pictures.
#include "render/shapes/Shape.h"

#include <array>
#include <limits>
#include <optional>
#include <vector>

// The pixels a face image needs along its width and its height: at least as
// many as the picture can show along each at the place where the face is seen
// finest. Unbounded for an image whose detail no bound holds.
struct TImageNeed {
    static constexpr int Unbounded = std::numeric_limits<int>::max();
    int Width = Unbounded, Height = Unbounded;

    bool operator==(const TImageNeed&) const = default;
    // Whether an image read for this need serves `other` as well.
    bool Covers(const TImageNeed& other) const { return Width >= other.Width && Height >= other.Height; }
};

// The need of a face that no picture shows: none. A JPEG wanted at 0 x 0 is
// checked (found, a whole picture within the size bound) but not decoded.
constexpr TImageNeed UnseenNeed{0, 0};

// The least of a face whose edge fills another face: its edge colour, which
// the smallest decode gives.
constexpr TImageNeed EdgeNeed{1, 1};

using TFaceNeeds = std::array<TImageNeed, ArtFaceCount>;

// What each face's image needs, indexed by TArtFace, in any picture of
// width x height pixels of the shape: in every pose, every look and every
// margin (the shape alone filling the picture is the closest it comes). The
// floor's image, which the background stretches over the whole picture, a
// face the shape does not show, and every face of a shape that reaches the
// eye (which no shot draws) stay unbounded.
TFaceNeeds FaceImageNeeds(const TShape& shape, int width, int height);

// One picture of the shape: its turn, the picture pixels a unit of the view
// plane takes in its framing, and the plane y = MirrorY of the shape's frame
// when the picture shows the shape mirrored through it as well (a reflection).
struct TShapeView {
    float XRotation = 0.0f, YRotation = 0.0f;
    double PixelsPerUnit = 0.0;
    std::optional<double> MirrorY;
};

// What each face's image needs in these pictures of the shape: enough for
// the finest place where one of them can show it. A face that none of them
// can show needs UnseenNeed. A face's back is taken as hidden only on a
// closed, convex, opaque shape; on any other (an open lid, a book's covers,
// a clear case) the faces turned away may show all the same. The floor's
// image, a face the shape does not show, and every face when a picture's
// shape reaches the eye stay unbounded, as above.
TFaceNeeds FaceImageNeeds(const TShape& shape, const std::vector<TShapeView>& views);

// The larger of two needs each way, face by face.
TImageNeed Larger(const TImageNeed& a, const TImageNeed& b);
TFaceNeeds Larger(const TFaceNeeds& a, const TFaceNeeds& b);
