#include "platform/Error.h"
#include "tests/support/TestGL.h"
#include "view/ViewSurface.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

TEST(GLLoader, LoadsTheSystemLibrariesAndRefusesMissingOnes)
{
    EXPECT_TRUE(LoadGraphicsLibraries("libGL.so.1", "libGLU.so.1"));
    EXPECT_FALSE(LoadGraphicsLibraries("libNoSuchGL.so", "libGLU.so.1"));
    EXPECT_TRUE(LoadGraphicsLibraries("libGL.so.1", "libGLU.so.1"));
}

TEST(GLLoader, NullSurfaceOrContextFailTheirAssertions)
{
    TViewSurface surface;
    try {
        MakeViewContextCurrent(nullptr, nullptr);
        FAIL();
    } catch (const TError& e) {
        EXPECT_STREQ(e.what(), "DC must not be 0");
    }
    try {
        MakeViewContextCurrent(&surface, nullptr);
        FAIL();
    } catch (const TError& e) {
        EXPECT_STREQ(e.what(), "RC must not be 0");
    }
}

TEST(GLLoader, ContextHasTheRequestedBuffersAndClearsToWhite)
{
    const auto gl = MakeTestContext(32, 16);
    if (!gl)
        return;
    GLint depth = 0, stencil = 0, alpha = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depth);
    glGetIntegerv(GL_STENCIL_BITS, &stencil);
    glGetIntegerv(GL_ALPHA_BITS, &alpha);
    EXPECT_GE(depth, 24);
    EXPECT_EQ(stencil, 0);
    EXPECT_EQ(alpha, 8);
    glClearColor(1, 1, 1, 0.5);
    glClear(GL_COLOR_BUFFER_BIT);
    const QImage image = gl->ReadBuffer();
    ASSERT_EQ(image.size(), QSize(32, 16));
    EXPECT_EQ(image.pixelColor(5, 5).red(), 255);
    EXPECT_NEAR(image.pixelColor(5, 5).alpha(), 128, 1);
}

TEST(GLLoader, FailingContextRequestRaisesTheSystemErrorText)
{
    TViewSurface surface;
    try {
        CreateViewContext(&surface, opDoubleBuffered | opStereo, 32, 24, 0, 0, 0, 0);
        FAIL();
    } catch (const TError& e) {
        const std::string message = e.what();
        EXPECT_TRUE(message == "A call to an OS function failed" || message.rfind("System Error.  Code: ", 0) == 0)
            << message;
    }
}
