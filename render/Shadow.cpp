#include "render/Shadow.h"

namespace {

// Texels a side: at the largest pictures a texel spans a few pixels of a
// falloff that changes slowly, and linear filtering smooths them.
constexpr int ShadowMapSide = 256;

} // namespace

GLuint MakeShadowTexture(const TGround& ground)
{
    const std::vector<uint8_t> alpha = ShadowAlphaMap(ground, ShadowMapSide);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA8, ShadowMapSide, ShadowMapSide, 0, GL_ALPHA, GL_UNSIGNED_BYTE,
                 alpha.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

void DrawShadow(GLuint texture, const TGround& ground, double strength)
{
    const TGroundRect r = ShadowRect(ground);
    const GLfloat y = GLfloat(ground.Y);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, texture);
    // Black, so the premultiplied colour is 0 whatever the alpha.
    glColor4f(0.0f, 0.0f, 0.0f, GLfloat(strength));
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(GLfloat(r.Left), y, GLfloat(r.Near));
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(GLfloat(r.Right), y, GLfloat(r.Near));
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(GLfloat(r.Right), y, GLfloat(r.Far));
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(GLfloat(r.Left), y, GLfloat(r.Far));
    glEnd();
}
