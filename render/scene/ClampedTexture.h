#pragma once
// The studio's own textures (fade ramps, the shadow map, the page lines):
// 8-bit texels, filtered linearly, clamped at their edges or repeating.
#include <GL/gl.h>
#include <cstdint>

// A new GL_TEXTURE_1D (height 1) or GL_TEXTURE_2D texture of the texels, one
// byte each, rows packed. The binding and the unpack alignment are left as
// they were.
GLuint MakeClampedTexture(GLenum target, GLint internalFormat, GLenum format, int width, int height,
                          const uint8_t* texels);

// A new GL_TEXTURE_2D texture likewise, repeating both ways and mipmapped,
// so that a fine pattern far away averages out rather than flickers.
GLuint MakeRepeatingTexture(GLint internalFormat, GLenum format, int width, int height, const uint8_t* texels);
