#pragma once
// A fade drawn on texture unit 1: a 1-D ramp that multiplies colour and alpha
// alike (an intensity texture), so that premultiplied colours stay
// premultiplied, at a coordinate GL generates from each vertex's distance
// along a plane. Needs GL 1.3 (multitexture).
#include <GL/gl.h>
#include <array>
#include <cstdint>
#include <vector>

// A new 1-D texture of the levels, clamped at both ends.
GLuint MakeFadeTexture(const std::vector<uint8_t>& levels);

// Until EndFade, what is drawn is faded by the texture at s = plane . (x, y,
// z, 1): of the object coordinates for GL_OBJECT_LINEAR, of the eye
// coordinates for GL_EYE_LINEAR (the plane taken through the modelview
// current at this call). Texture unit 0 stays the active one.
void BeginFade(GLuint texture, GLenum mode, const std::array<double, 4>& plane);
void EndFade();
