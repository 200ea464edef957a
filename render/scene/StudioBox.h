#pragma once
// A shape in the studio look: its triangles and textures, each vertex with
// its own normal, lit by a soft key light from the upper front and two
// faint fills from the sides. The lights turn with the box, so that whatever
// the pose the front cover reads brightest, the top a step darker and the
// sides darker again: the faces read as a solid. The light is white, so the
// artwork keeps its colours, and nothing but a glossy part's highlight is
// added on top of the texture, so no matte face is blown out.
#include "render/shapes/Shape.h"

#include <array>
#include <vector>

// The cover the key light falls on: the one the eye sees, so that a box
// turned to show its back shows it as brightly lit as its front.
enum class TKeySide { Front, Back };
TKeySide KeySideFor(float xRotation, float yRotation);

// How bright the light leaves a face of the box's own frame whose outward
// normal is n (unit length), 0 to 1: the lit colour that the face's texture
// is multiplied by.
double StudioBrightness(const std::array<double, 3>& n, TKeySide side = TKeySide::Front);

// The brightness of a face turned up, as the floor is: the floor and the
// background are drawn at it.
double StudioGroundBrightness();

// Sets the studio's lights and material, the key on the side given; the
// modelview must hold the box's turn, since the lights turn with the box.
// Lighting both sides of each quad (the inside of an open box is lit from
// within). With a gloss lamp (GlossLamp), a lamp there that only glossy
// parts reflect (SetGloss).
void ApplyStudioLights(TKeySide side, const std::array<double, 3>* glossLamp = nullptr);

// Where the lamp of a glossy shape of these sizes stands, in its own frame:
// the cover the key light falls on mirrors it to the eye a little above and
// to the left of its middle, so a glossy cover shows its highlight there.
std::array<double, 3> GlossLamp(const TBoxSize& size, float xRotation, float yRotation);

// Whether what is drawn next is glossy: it shows the highlight of the lamp
// that ApplyStudioLights sets for a glossy shape.
void SetGloss(bool glossy);
