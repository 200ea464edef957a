#include "cover/TextureImage.h"
#include "render/artwork/TextureUpload.h"
#include "tests/support/TestGL.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

// A width x height image whose pixel (x, y) is red x, green y, blue 7.
void Fill(TTextureImage& texture, int width, int height)
{
    texture.Width = width;
    texture.Height = height;
    texture.ImageData = std::make_unique<uint8_t[]>(size_t(width) * size_t(height) * 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = texture.ImageData.get() + (size_t(y) * size_t(width) + size_t(x)) * 4;
            p[0] = uint8_t(x);
            p[1] = uint8_t(y);
            p[2] = 7;
            p[3] = 255;
        }
}

GLint LevelSize(GLenum which)
{
    GLint size = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, which, &size);
    return size;
}

} // namespace

TEST(TextureUpload, KeepsTheImagesOwnSizeAndPixelsUnlessTheGLCannot)
{
    const auto gl = MakeTestContext(64, 64);
    if (!gl)
        return;
    // 37 x 21 is far from a power of two: GLU would resample it to 32 x 16.
    TTextureImage texture;
    Fill(texture, 37, 21);
    UploadTexture(texture);
    ASSERT_NE(texture.TextureID, 0u);
    EXPECT_EQ(LevelSize(GL_TEXTURE_WIDTH), 37);
    EXPECT_EQ(LevelSize(GL_TEXTURE_HEIGHT), 21);
    std::vector<uint8_t> back(37 * 21 * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, back.data());
    EXPECT_TRUE(std::equal(back.begin(), back.end(), texture.ImageData.get()));
    // A new image goes into the same texture name.
    const GLuint name = texture.TextureID;
    Fill(texture, 5, 3);
    UploadTexture(texture);
    EXPECT_EQ(texture.TextureID, name);
    EXPECT_EQ(LevelSize(GL_TEXTURE_WIDTH), 5);

    // Wider than the GL's textures: scaled down to fit, as the window does.
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    TTextureImage wide;
    Fill(wide, largest + 1, 2);
    UploadTexture(wide);
    EXPECT_GT(LevelSize(GL_TEXTURE_WIDTH), 0);
    EXPECT_LE(LevelSize(GL_TEXTURE_WIDTH), largest);
}
