#include "tests/support/TestGL.h"
#include "view/RenderState.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <cmath>
#include <gtest/gtest.h>

namespace {

void ExpectMatrixEqual(const GLfloat* actual, const GLfloat* expected)
{
    for (int i = 0; i < 16; ++i)
        EXPECT_FLOAT_EQ(actual[i], expected[i]) << "element " << i;
}

} // namespace

TEST(RenderState, ViewportLeavesTheTopMarginAndProjectionKeepsTheClientAspect)
{
    const auto gl = MakeTestContext(1150, 880);
    if (!gl)
        return;
    ApplyRenderState();
    SetViewProjection(1150, 880);

    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 1150);
    EXPECT_EQ(viewport[3], 670);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_PROJECTION);

    GLfloat projection[16], expected[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glLoadIdentity();
    gluPerspective(45.0, 1150.0 / 880.0, 0.1, 3000.0);
    glGetFloatv(GL_PROJECTION_MATRIX, expected);
    ExpectMatrixEqual(projection, expected);
    // f / aspect: the horizontal scale uses 1150 / 880, not 1150 / 670.
    EXPECT_NEAR(projection[0], (1.0 / std::tan(M_PI / 8.0)) / (1150.0 / 880.0), 1e-5);

    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_FLOAT_EQ(clear[3], 0.5f);
}

TEST(RenderState, ShortOrEmptyClientAreasKeepTheViewportAndRaiseNothing)
{
    const auto gl = MakeTestContext(300, 300);
    if (!gl)
        return;
    SetViewProjection(300, 300);
    SetViewProjection(300, 100);  // negative height: refused by GL
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[3], 90);
    while (glGetError() != GL_NO_ERROR) {
    }
    SetViewProjection(300, 0);  // minimised: an infinite aspect
    SetViewProjection(300, 300);
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[3], 90);
}
