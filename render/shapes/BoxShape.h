#pragma once
// The box as a shape: the window's quads (view/BoxGeometry.h), each with the
// normal that points out of the box, each a part of two triangles that
// shows the face its slot names (the back cover its own), printed on paper.
#include "render/shapes/Shape.h"
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

// The face whose image a quad of the box shows: the window's slot, except
// that the cover quad on the plane z = +hd, which faces away at the angles
// 0, 0, is the back.
TArtFace ArtFaceOf(const TBoxQuad& quad);

// The box of these sizes and options, its quads in the window's order (a
// floor among them left out), each split into two triangles along its
// second and fourth corners, as GL splits the window's quad.
TShape BoxShape(const TBoxSize& size, const TBoxOptions& options);
