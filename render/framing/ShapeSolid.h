#pragma once
// A shape as a solid: the planes of its triangles, and whether the faces of
// it turned away from the eye can ever show. Plain numbers, no GL.
#include "render/framing/SceneBounds.h"
#include "render/shapes/Shape.h"

#include <optional>
#include <vector>

TEyePoint At(const TShapeVertex& v);
TEyePoint Minus(const TEyePoint& a, const TEyePoint& b);
TEyePoint Cross(const TEyePoint& a, const TEyePoint& b);
double Dot(const TEyePoint& a, const TEyePoint& b);

// The points, each once (in the order of their coordinates).
void Distinct(std::vector<TEyePoint>& points);

// The unit normal of the triangle of three corners on the side their own
// normals point to; nothing for a triangle of no area.
std::optional<TEyePoint> PlaneNormal(const TShapeVertex* corners);

// Whether the shape is closed (every edge of a triangle is the edge of
// exactly one other), convex (every corner lies on the inner side of every
// triangle's plane) and opaque (no see-through part): what faces away from
// the eye then lies behind what faces it.
bool HidesBackFaces(const TShape& shape);

// Whether every triangle's corners turn counter-clockwise seen from the side
// its normals point to, as GL's front faces do: GL may then leave out the
// triangles turned away.
bool WoundOutward(const TShape& shape);
