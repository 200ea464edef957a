#pragma once
// A box's artwork read for a 3D file, without GL: each face's image whole,
// as its file holds it (the file's textures are sized from these, not from
// a picture's detail), and the shape, on which the faces filled with the
// colour of another's edge are painted that colour instead of an image.
#include "render/artwork/BoxPlan.h"

#include <memory>

class TTextureImage;

struct TBoxPictures {
    TShape Shape;
    // Indexed by TArtFace; null where no part shows an image. Faces drawn
    // with another's image share it.
    std::array<std::shared_ptr<const TTextureImage>, ArtFaceCount> Faces;
};

// Raises TError naming every image that cannot be read.
TBoxPictures ReadBoxPictures(const TBoxPlan& plan);
