#include "render/FadeTexture.h"

GLuint MakeFadeTexture(const std::vector<uint8_t>& levels)
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_1D, texture);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage1D(GL_TEXTURE_1D, 0, GL_INTENSITY8, GLsizei(levels.size()), 0, GL_LUMINANCE, GL_UNSIGNED_BYTE,
                 levels.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glBindTexture(GL_TEXTURE_1D, 0);
    return texture;
}

void BeginFade(GLuint texture, GLenum mode, const std::array<double, 4>& plane)
{
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_1D, texture);
    glEnable(GL_TEXTURE_1D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GLint(mode));
    glTexGendv(GL_S, mode == GL_OBJECT_LINEAR ? GL_OBJECT_PLANE : GL_EYE_PLANE, plane.data());
    glEnable(GL_TEXTURE_GEN_S);
    glActiveTexture(GL_TEXTURE0);
}

void EndFade()
{
    glActiveTexture(GL_TEXTURE1);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_1D);
    glActiveTexture(GL_TEXTURE0);
}
