#pragma once
// The box as a solid: the window's quads, each with the normal that points out
// of the box, as the studio lights them and as their bounds and shadows see
// them.
#include "view/BoxGeometry.h"

#include <array>
#include <vector>

// A quad wound counter-clockwise as seen from outside the box, with its
// normal pointing out (away from the box's centre).
struct TLitQuad {
    TBoxQuad Quad;
    std::array<float, 3> Normal;
};

// The quads with their outward normals. A quad of no area gets (0, -1, 0).
std::vector<TLitQuad> OutwardQuads(const std::vector<TBoxQuad>& quads);
