#include "render/scene/Reflection.h"

#include "render/scene/FadeTexture.h"

void DrawReflection(GLuint boxList, GLuint fadeTexture, const TGround& ground, bool solid)
{
    // The fade by the height above the ground of the box's own point, Y - y.
    const TFadeMap map = FadeMap(ground.ReflectionReach);
    BeginFade(fadeTexture, GL_OBJECT_LINEAR, {0.0, -map.Scale, 0.0, map.Scale * ground.Y + map.Offset});
    glPushMatrix();
    // y becomes 2Y - y; the mirror turns the quads' winding round.
    glTranslated(0.0, 2.0 * ground.Y, 0.0);
    glScaled(1.0, -1.0, 1.0);
    glFrontFace(GL_CW);
    // The see-through parts of cut-out faces (CutOut.h) leave no reflection.
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);
    glEnable(GL_LIGHTING);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glDepthMask(GL_TRUE);
    if (solid) {
        // A solid's faces turned away are left out: those left never overlap,
        // and the depth goes with the colour.
        glEnable(GL_CULL_FACE);
        glEnable(GL_BLEND);
        glCallList(boxList);
        glDisable(GL_CULL_FACE);
    } else {
        // First the depth alone, then the colour of the nearest faces: the
        // faces behind them must not show through the translucent ones in front.
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        glCallList(boxList);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glDepthMask(GL_FALSE);
        glDepthFunc(GL_LEQUAL);
        glEnable(GL_BLEND);
        glCallList(boxList);
    }
    glDepthMask(GL_FALSE);
    glPopMatrix();
    glDisable(GL_ALPHA_TEST);
    EndFade();
}
