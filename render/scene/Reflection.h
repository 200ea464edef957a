#pragma once
// The reflection in a glossy floor: the box drawn again mirrored through the
// ground, fading with the distance from its foot (Ground.h).
#include "render/framing/Ground.h"

#include <GL/gl.h>

// Blends the box's list mirrored through the ground over what is drawn, as
// premultiplied colours, faded by the fade texture over the ground's
// reflection reach; only the nearest mirrored face shows at each point. A
// solid box (ShotScene.h's CullsBackFaces) is drawn once, its back faces
// left out. The modelview must hold the box's turn and the lights must be set.
void DrawReflection(GLuint boxList, GLuint fadeTexture, const TGround& ground, bool solid);
