#pragma once
// Where the subject of a box shot lies on the view plane: the shape's triangles
// taken through the camera of the window's frame (view/ViewCamera.h: the box
// turned by the two angles, then half a turn about x, then moved to its
// centre), cut at the near plane and projected; with them the shadow around
// the box's foot and the reflection below it, when they show.
#include "render/framing/Framing.h"
#include "render/framing/Ground.h"
#include "render/shapes/Shape.h"

#include <array>
#include <optional>
#include <vector>

// A point in eye space (x to the right, y up, the eye looking down -z), or in
// the box's own frame where said.
struct TEyePoint {
    double X = 0.0, Y = 0.0, Z = 0.0;
};

// Where a point of the box's own frame lies in eye space when the box is
// turned by the two angles and placed as the frame draws it.
TEyePoint EyePoint(double x, double y, double z, float xRotation, float yRotation);

// Where the eye lies in the box's own frame.
TEyePoint EyeInBoxFrame(float xRotation, float yRotation);

// The eye depth (the distance in front of the eye) of a point (x, y, z) of
// the box's frame: plane . (x, y, z, 1).
std::array<double, 4> DepthPlane(float xRotation, float yRotation);

// True when the eye looks at the ground from above, where the box stands.
bool SeesGroundFromAbove(const TGround& ground, float xRotation, float yRotation);

// How far the subject of a shot reaches from the box's centre in any pose:
// the shape and, on the ground, the shadow's square and the reflection's
// depth.
double SubjectReach(const TShape& shape, const TGround& ground);

// The farthest a subject may reach: the camera turns the box about its
// centre, 50 units in front of the eye, and a subject that reached the near
// plane would fill the picture with what lies next to the eye.
double ViewReach();

// The bounding rectangle of the shape's triangles, with the shadow when
// ground.ShadowReach > 0 and the reflection when ground.ReflectionReach > 0;
// nothing when no part lies in front of the eye.
std::optional<TViewRect> SubjectBounds(const TShape& shape, float xRotation, float yRotation, const TGround& ground);
