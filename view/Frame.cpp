#include "view/Frame.h"

#include "cover/TextureImage.h"
#include "view/ViewCamera.h"

namespace {

// The light sits at (100, 100, 50) relative to the viewer, whatever the box's turn.
const GLfloat LightPosition[] = {100.0f, 100.0f, 50.0f, 1.0f};
const GLfloat LightAmbient[] = {0.8f, 0.8f, 0.8f, 1.0f};
const GLfloat LightDiffuse[] = {0.7f, 0.7f, 0.7f, 1.0f};
const GLfloat LightSpecular[] = {1.0f, 1.0f, 1.0f, 1.0f};
const GLfloat MaterialAmbient[] = {0.4f, 0.4f, 0.4f, 1.0f};
const GLfloat MaterialDiffuse[] = {0.4f, 0.7f, 0.4f, 1.0f};
const GLfloat MaterialSpecular[] = {1.0f, 1.0f, 1.0f, 1.0f};
const GLfloat MaterialShininess[] = {50.0f};
// An emission of full white makes every lit vertex white, so each face shows
// its texture at full brightness with no visible shading.
const GLfloat* const MaterialEmission = MaterialSpecular;

} // namespace

TViewBasis ReadViewBasis()
{
    GLfloat matrix[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    TViewBasis basis;
    for (int i = 0; i < 3; ++i) {
        basis.Up[i] = matrix[1 + 4 * i];
        basis.Right[i] = matrix[4 * i];
    }
    return basis;
}

void DrawBackground(const TViewBasis& basis, const TTextureImage* floorTexture)
{
    GLfloat u[3], r[3], bottomLeft[3], topLeft[3], bottomRight[3], topRight[3];
    for (int i = 0; i < 3; ++i) {
        u[i] = BackgroundHalfSide * basis.Up[i];
        r[i] = BackgroundHalfSide * basis.Right[i];
        bottomLeft[i] = -u[i] - r[i];
        topLeft[i] = u[i] - r[i];
        bottomRight[i] = r[i] - u[i];
        topRight[i] = u[i] + r[i];
    }
    if (floorTexture)
        floorTexture->Bind();
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3fv(bottomLeft);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3fv(topLeft);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3fv(bottomRight);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3fv(topRight);
    glEnd();
}

TViewBasis DrawScene(const TFrameScene& scene)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // A picture's own background is cleared with the render state's clear
    // colour kept aside and put back.
    if (scene.ClearColour) {
        const std::array<float, 4>& c = *scene.ClearColour;
        glPushAttrib(GL_COLOR_BUFFER_BIT);
        glClearColor(c[0], c[1], c[2], c[3]);
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (scene.ClearColour)
        glPopAttrib();
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_POSITION, LightPosition);
    glLightfv(GL_LIGHT0, GL_AMBIENT, LightAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, LightDiffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, LightSpecular);
    glMaterialfv(GL_FRONT, GL_AMBIENT, MaterialAmbient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, MaterialDiffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, MaterialSpecular);
    glMaterialfv(GL_FRONT, GL_SHININESS, MaterialShininess);
    glMaterialfv(GL_FRONT, GL_EMISSION, MaterialEmission);
    // Still the identity: right is (1, 0, 0) and up (0, 1, 0).
    const TViewBasis basis = ReadViewBasis();

    glTranslatef(BoxCentreX, BoxCentreY, BoxCentreZ);
    if (scene.ShowBackground) {
        glPushMatrix();
        glTranslatef(BackgroundOffsetX, 0.0f, BackgroundOffsetZ);
        DrawBackground(basis, scene.FloorTexture);
        glPopMatrix();
    }
    glPushMatrix();
    glRotatef(BoxHalfTurn, 1.0f, 0.0f, 0.0f);
    glRotatef(scene.XRotation, 1.0f, 0.0f, 0.0f);
    glRotatef(scene.YRotation, 0.0f, 1.0f, 0.0f);
    glCallList(scene.BoxList);
    glPopMatrix();
    return basis;
}
