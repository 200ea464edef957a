#include "tests/support/TestGL.h"
#include "view/BoxList.h"

#include <gtest/gtest.h>
#include <vector>

TEST(BoxList, EachBuildLeavesExactlyOneListAliveAndReturnsItsName)
{
    const auto gl = MakeTestContext(16, 16);
    if (!gl)
        return;
    const TFaceTextures noTextures{};
    std::vector<GLuint> names;
    GLuint list = 0;
    for (int build = 0; build < 6; ++build) {
        const TBoxOptions options{.Book = build % 2 == 1, .LidOpen = build >= 2, .Floor = build >= 4};
        list = CompileBoxList(list, 20, 30, float(5 + build), options, noTextures);
        ASSERT_NE(list, 0u);
        names.push_back(list);
        for (GLuint name : names)
            EXPECT_EQ(glIsList(name), name == list ? GL_TRUE : GL_FALSE) << "build " << build << " name " << name;
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
