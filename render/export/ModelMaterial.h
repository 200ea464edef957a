#pragma once
// A part's material as glTF's metallic-roughness one: paper is rough and
// no metal, plastic and a glossy sleeve are smoother; clear plastic is
// blended by its opacity and seen from both sides; a printed image with
// cut-outs (alpha) is masked. Viewers without any extension show all of it.
#include "render/shapes/Shape.h"

#include <tiny_gltf.h>

constexpr double MatteRoughness = 0.85;
constexpr double GlossyRoughness = 0.3;

// `texture` is the index of the part's image in the file's textures, or -1
// when it shows its material alone; `masked` when that image has alpha.
tinygltf::Material ModelMaterial(const TShapePart& part, int texture, bool masked);
