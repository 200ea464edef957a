#pragma once
// Where the scene of a frame lies on the view plane: its polygons taken
// through the camera of the window's frame (moved to (-10, 0, -50), half a
// turn about x, then the two angles; the background 70 units square centred
// 15 behind the box and 10 to its left), cut at the near plane and projected.
#include "render/Framing.h"
#include "view/BoxGeometry.h"

#include <vector>

// quads are the box's geometry list as data; the floor among them and the
// background billboard, when shown, count as surroundings.
TSceneBounds SceneBounds(const std::vector<TBoxQuad>& quads, float xRotation, float yRotation,
                         bool showBackground);
