#include "render/scene/Shadow.h"

#include "render/scene/ClampedTexture.h"

namespace {

// Texels a side: at the largest pictures a texel spans a few pixels of a
// falloff that changes slowly, and linear filtering smooths them.
constexpr int ShadowMapSide = 256;

} // namespace

GLuint MakeShadowTexture(const TGround& ground)
{
    const std::vector<uint8_t> alpha = ShadowAlphaMap(ground, ShadowMapSide);
    return MakeClampedTexture(GL_TEXTURE_2D, GL_ALPHA8, GL_ALPHA, ShadowMapSide, ShadowMapSide, alpha.data());
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
