#include "view/RenderState.h"

#include <GL/gl.h>
#include <GL/glu.h>

void ApplyRenderState()
{
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(1.0f, 1.0f, 1.0f, 0.5f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
}

void SetViewProjection(int clientWidth, int clientHeight)
{
    // A client area shorter than the view margin gives a negative height,
    // which GL refuses, keeping the previous viewport; a height of 0 makes the
    // aspect infinite. Neither raises: floating-point exceptions stay masked.
    glViewport(0, 0, clientWidth, clientHeight - ViewMargin);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(ViewFieldOfView, static_cast<double>(clientWidth) / static_cast<double>(clientHeight), ViewNear,
                   ViewFar);
}
