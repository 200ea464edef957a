#include "cover/TextureImage.h"
#include "tests/cover/ImageFileBuilders.h"
#include "tests/support/TestGL.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

namespace {

constexpr int Side = 64;

// A 4 x 8 picture whose bottom half has one colour (blue, green, red bytes) and top half another.
bool LoadBands(TTextureImage& texture, std::array<uint8_t, 3> bottom, std::array<uint8_t, 3> top)
{
    TBmpBuilder bmp;
    bmp.Width = 4;
    bmp.Height = 8;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 4; ++x) {
            const auto& colour = y < 4 ? bottom : top;
            bmp.Pixels.insert(bmp.Pixels.end(), colour.begin(), colour.end());
        }
    const TBytes bytes = bmp.Bytes();
    return texture.LoadBmpFromMemory(bytes.data(), bytes.size());
}

bool LoadSolid(TTextureImage& texture, std::array<uint8_t, 3> colour)
{
    return LoadBands(texture, colour, colour);
}

void DrawQuad()
{
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0), glVertex2f(-1, -1);
    glTexCoord2f(1, 0), glVertex2f(1, -1);
    glTexCoord2f(1, 1), glVertex2f(1, 1);
    glTexCoord2f(0, 1), glVertex2f(-1, 1);
    glEnd();
}

void PrepareTexturing()
{
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glClearColor(1, 1, 1, 1);
}

// The colour drawn at (x, y) of the upright picture, as 0xRRGGBB.
QRgb Drawn(const TQtContext& gl, int x, int y)
{
    return gl.ReadBuffer().pixel(x, y) & 0xFFFFFF;
}

GLint BoundTexture()
{
    GLint name = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
    return name;
}

// A current context ready for texturing, and a blue texture made in it.
class BlueTexture : public testing::Test {
protected:
    void SetUp() override
    {
        Gl = MakeTestContext(Side, Side);
        if (!Gl)
            return;
        PrepareTexturing();
        ASSERT_TRUE(LoadSolid(Texture, {0, 0, 255}));
        Texture.GenTexture();
        Name = Texture.TextureID;
    }

    std::unique_ptr<TQtContext> Gl;
    TTextureImage Texture;  // goes before the context
    GLuint Name = 0;
};

}  // namespace

TEST(TextureImageGL, TextureTakesTheSettingsAndTheBufferRowsFromTheBottomUp)
{
    const auto gl = MakeTestContext(Side, Side);
    if (!gl)
        return;
    PrepareTexturing();
    TTextureImage texture;
    ASSERT_TRUE(LoadBands(texture, {0, 0, 255}, {255, 0, 0}));  // red bottom, blue top
    texture.GenTexture();
    ASSERT_NE(texture.TextureID, 0u);
    EXPECT_EQ(BoundTexture(), GLint(texture.TextureID));
    GLint value = 0;
    for (auto [name, expected] : {std::pair{GL_TEXTURE_WRAP_S, GL_REPEAT}, {GL_TEXTURE_WRAP_T, GL_REPEAT},
                                  {GL_TEXTURE_MAG_FILTER, GL_LINEAR}, {GL_TEXTURE_MIN_FILTER, GL_LINEAR}}) {
        glGetTexParameteriv(GL_TEXTURE_2D, GLenum(name), &value);
        EXPECT_EQ(value, expected) << name;
    }
    EXPECT_NE(texture.ImageData, nullptr);  // the buffer stays
    glClear(GL_COLOR_BUFFER_BIT);
    DrawQuad();
    EXPECT_EQ(Drawn(*gl, 32, Side - 16), 0xFF0000u);
    EXPECT_EQ(Drawn(*gl, 32, 16), 0x0000FFu);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(BlueTexture, GenTextureAfterAFailedLoadKeepsTheOldTextureUntouched)
{
    glBindTexture(GL_TEXTURE_2D, 0);

    const uint8_t garbage[60] = {'B', 'M'};
    EXPECT_FALSE(Texture.LoadBmpFromMemory(garbage, sizeof garbage));
    Texture.GenTexture();
    EXPECT_FALSE(Texture.LoadImage("picture.jpeg"));  // a kind the texture object does not read
    Texture.GenTexture();
    EXPECT_EQ(BoundTexture(), 0);  // nothing was bound, so nothing was made
    EXPECT_EQ(Texture.TextureID, Name);
    Texture.Bind();
    glClear(GL_COLOR_BUFFER_BIT);
    DrawQuad();
    EXPECT_EQ(Drawn(*Gl, 32, 32), 0xFF0000u);
}

TEST(TextureImageGL, ObjectWithoutTextureBindsNothing)
{
    const auto gl = MakeTestContext(Side, Side);
    if (!gl)
        return;
    GLuint other = 0;
    glGenTextures(1, &other);
    glBindTexture(GL_TEXTURE_2D, other);
    TTextureImage never;
    never.Bind();
    never.GenTexture();  // no pixel buffer either
    EXPECT_EQ(BoundTexture(), GLint(other));
    EXPECT_EQ(never.TextureID, 0u);
    glDeleteTextures(1, &other);
}

TEST_F(BlueTexture, ReloadKeepsTheNameSoACompiledListShowsTheNewPicture)
{
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    Texture.Bind();
    DrawQuad();
    glEndList();
    glBindTexture(GL_TEXTURE_2D, 0);

    glClear(GL_COLOR_BUFFER_BIT);
    glCallList(list);
    EXPECT_EQ(Drawn(*Gl, 32, 32), 0xFF0000u);

    // A different size as well as a different colour.
    TBmpBuilder bmp;
    bmp.Width = 3;
    bmp.Height = 5;
    for (int i = 0; i < 5; ++i)
        bmp.Pixels.insert(bmp.Pixels.end(), {255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 0, 0});
    const TBytes bytes = bmp.Bytes();
    ASSERT_TRUE(Texture.LoadBmpFromMemory(bytes.data(), bytes.size()));
    Texture.GenTexture();
    EXPECT_EQ(Texture.TextureID, Name);
    glClear(GL_COLOR_BUFFER_BIT);
    glCallList(list);
    EXPECT_EQ(Drawn(*Gl, 32, 32), 0x0000FFu);
    EXPECT_EQ(Drawn(*Gl, 2, 2), 0x0000FFu);
    glDeleteLists(list, 1);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST(TextureImageGL, DestructionDeletesTheTexture)
{
    const auto gl = MakeTestContext(Side, Side);
    if (!gl)
        return;
    GLuint name = 0;
    {
        TTextureImage texture;
        ASSERT_TRUE(LoadSolid(texture, {1, 2, 3}));
        texture.GenTexture();
        name = texture.TextureID;
        ASSERT_TRUE(glIsTexture(name));
    }
    EXPECT_FALSE(glIsTexture(name));
}
