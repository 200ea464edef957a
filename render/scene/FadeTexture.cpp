#include "render/scene/FadeTexture.h"

#include "render/scene/ClampedTexture.h"

GLuint MakeFadeTexture(const std::vector<uint8_t>& levels)
{
    return MakeClampedTexture(GL_TEXTURE_1D, GL_INTENSITY8, GL_LUMINANCE, int(levels.size()), 1, levels.data());
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
