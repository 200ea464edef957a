#pragma once
// A box as one binary glTF file (GLB): its shape (ShapeKinds.h) at its real
// size, its artwork embedded as textures no larger than the file needs
// (TextureSize.h), written as every file of plenamar-render is
// (WriteFileAtomically: a read-only file is refused, a link's target is
// replaced).
#include "render/artwork/BoxArtwork.h"
#include "render/export/GlbModel.h"

#include <string>

// The model's GLB bytes.
std::string GlbBytes(const tinygltf::Model& model);

// Writes the box's GLB with textures at most `textureSide` pixels a side.
// Raises TError naming every image that cannot be read, or the file when it
// cannot be written; a previous file then stays as it was.
void WriteBoxGlb(const std::string& fileName, const TBoxArtwork& artwork, int textureSide);
