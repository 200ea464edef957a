#pragma once
// Where the scene of a frame lies on the view plane: its polygons taken
// through the camera of the window's frame (view/ViewCamera.h: the box turned
// by the two angles, then half a turn about x, then moved to its centre; the
// background billboard behind it), cut at the near plane and projected.
#include "render/Framing.h"
#include "view/BoxGeometry.h"

#include <vector>

// A point in eye space: x to the right, y up, the eye looking down -z.
struct TEyePoint {
    double X = 0.0, Y = 0.0, Z = 0.0;
};

// Where a point of the box's own frame lies in eye space when the box is
// turned by the two angles and placed as the frame draws it.
TEyePoint EyePoint(double x, double y, double z, float xRotation, float yRotation);

// quads are the box's geometry list as data; the floor among them and the
// background billboard, when shown, count as surroundings.
TSceneBounds SceneBounds(const std::vector<TBoxQuad>& quads, float xRotation, float yRotation,
                         bool showBackground);
