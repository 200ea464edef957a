#pragma once
// A shape as a glTF model, with nothing read or written: one mesh of one
// primitive a part (positions, normals, and texture coordinates where it
// shows an image), the part's material, and each image once in the one
// buffer, however many parts show it. The caller writes it (GlbFile.h).
#include "render/shapes/Shape.h"

#include <array>
#include <memory>
#include <string>
#include <tiny_gltf.h>
#include <vector>

struct TEncodedImage {
    std::string MimeType;              // "image/jpeg" or "image/png"
    std::vector<unsigned char> Bytes;  // the image file's
    bool Alpha = false;                // some pixel is not opaque
};

// The image of each face, indexed by TArtFace; null where the face's parts
// show their material. Faces may share one.
using TFaceImages = std::array<std::shared_ptr<const TEncodedImage>, ArtFaceCount>;

tinygltf::Model ShapeModel(const TShape& shape, const TFaceImages& images);
