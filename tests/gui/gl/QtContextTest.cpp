#include "tests/support/TestGL.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

TEST(QtContext, ReadBufferPacksRowsAsThePictureDoesAndRestoresTheAlignment)
{
    // An odd width: rows of 33 x 4 bytes, which an alignment of 8 would pad.
    const auto gl = MakeTestContext(33, 5);
    if (!gl)
        return;
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 1, 5);
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    glPixelStorei(GL_PACK_ALIGNMENT, 8);

    const QImage picture = gl->ReadBuffer();
    ASSERT_EQ(picture.size(), QSize(33, 5));
    for (int y = 0; y < 5; ++y) {
        EXPECT_EQ(picture.pixelColor(0, y), QColor(Qt::red)) << y;
        EXPECT_EQ(picture.pixelColor(1, y), QColor(Qt::blue)) << y;
        EXPECT_EQ(picture.pixelColor(32, y), QColor(Qt::blue)) << y;
    }
    GLint alignment = 0;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 8);
}
