#pragma once
// The contact shadow on the ground: an alpha map over the footprint grown by
// the shadow's reach (Ground.h), drawn black, so that on a transparent
// picture it is alpha over nothing and on a floor it darkens the floor.
#include "render/framing/Ground.h"

#include <GL/gl.h>

// A new texture of the ground's shadow map.
GLuint MakeShadowTexture(const TGround& ground);

// Blends the shadow at `strength` (0 to 1) over what is drawn, as a
// premultiplied colour; the modelview must hold the box's turn. Writes no depth.
void DrawShadow(GLuint texture, const TGround& ground, double strength);
