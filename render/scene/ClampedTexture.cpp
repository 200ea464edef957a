#include "render/scene/ClampedTexture.h"

namespace {

GLuint MakeTexture(GLenum target, GLint internalFormat, GLenum format, int width, int height, const uint8_t* texels,
                   bool repeating)
{
    GLint bound = 0, alignment = 0;
    glGetIntegerv(target == GL_TEXTURE_1D ? GL_TEXTURE_BINDING_1D : GL_TEXTURE_BINDING_2D, &bound);
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(target, texture);
    const GLint wrap = repeating ? GL_REPEAT : GL_CLAMP_TO_EDGE;
    glTexParameteri(target, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(target, GL_TEXTURE_WRAP_T, wrap);
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, repeating ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
    if (repeating)
        glTexParameteri(target, GL_GENERATE_MIPMAP, GL_TRUE);
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (target == GL_TEXTURE_1D)
        glTexImage1D(target, 0, internalFormat, width, 0, format, GL_UNSIGNED_BYTE, texels);
    else
        glTexImage2D(target, 0, internalFormat, width, height, 0, format, GL_UNSIGNED_BYTE, texels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    glBindTexture(target, GLuint(bound));
    return texture;
}

} // namespace

GLuint MakeClampedTexture(GLenum target, GLint internalFormat, GLenum format, int width, int height,
                          const uint8_t* texels)
{
    return MakeTexture(target, internalFormat, format, width, height, texels, false);
}

GLuint MakeRepeatingTexture(GLint internalFormat, GLenum format, int width, int height, const uint8_t* texels)
{
    return MakeTexture(GL_TEXTURE_2D, internalFormat, format, width, height, texels, true);
}
