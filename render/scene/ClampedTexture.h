#pragma once
// The studio's own textures (fade ramps, the shadow map, the page lines):
// 8-bit texels, filtered linearly, clamped at their edges or repeating.
#include <GL/gl.h>
#include <cstdint>
#include <vector>

// A new GL_TEXTURE_1D (height 1) or GL_TEXTURE_2D texture of the texels, one
// byte each, rows packed. The binding and the unpack alignment are left as
// they were.
GLuint MakeClampedTexture(GLenum target, GLint internalFormat, GLenum format, int width, int height,
                          const uint8_t* texels);

// The mipmaps of a row of texels whose length is a power of two: the row,
// then each level half as long as the one before, each texel the rounded
// mean of the two it covers, down to one texel.
std::vector<std::vector<uint8_t>> HalvedRows(const std::vector<uint8_t>& row);

// A new GL_TEXTURE_2D texture one texel high, of a row of texels as
// HalvedRows takes it, repeating both ways and mipmapped, so that a fine
// pattern far away averages out rather than flickers. The mipmaps are made
// here: the GL would draw them, with shaders of its own to compile first.
GLuint MakeRepeatingRow(GLint internalFormat, GLenum format, const std::vector<uint8_t>& row);
