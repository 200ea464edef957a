// The texture cache of a run: each image read at the size the run's
// pictures can show, and a run of any length keeping the images of a few
// boxes only, never letting go of those of the box being drawn.
#include "cover/TextureImage.h"
#include "render/artwork/CoverScene.h"
#include "tests/gui/render/ShotFixture.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

class TextureCache : public TShotFixture {
protected:
    // A width x height JPEG of one colour, with a line of another across it.
    std::string Jpeg(const QString& name, int width, int height, QColor colour)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        for (int x = 0; x < width; ++x)
            image.setPixelColor(x, height / 3, Qt::white);
        EXPECT_TRUE(image.save(Path(name), "JPG", 90));
        return Path(name).toStdString();
    }

    static QSize SizeOf(const TTextureImage* texture)
    {
        texture->Bind();
        GLint width = 0, height = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        return {width, height};
    }
};

} // namespace

TEST_F(TextureCache, ImagesAreReadReducedForSmallPicturesAndWholeForLargeOnes)
{
    if (!Gl)
        return;
    const TBoxArtwork box{.Faces = {Jpeg("front.jpg", 1000, 1500, Qt::red), Jpeg("spine.jpg", 120, 1500, Qt::green)},
                          .Size = TBoxSize{20, 30, 2}};
    using enum TArtFace;
    TTextureCache thumbnails(150, 150), large(3000, 3000);
    const TBoxSetup small = ResolveBox(box, thumbnails);
    const TBoxSetup whole = ResolveBox(box, large);
    EXPECT_EQ(SizeOf(whole.Textures[size_t(Front)]), QSize(1000, 1500));
    EXPECT_EQ(SizeOf(whole.Textures[size_t(Spine)]), QSize(120, 1500));
    // Both by a quarter: an eighth would leave fewer rows than the picture
    // can show.
    EXPECT_EQ(SizeOf(small.Textures[size_t(Front)]), QSize(250, 375));
    EXPECT_EQ(SizeOf(small.Textures[size_t(Spine)]), QSize(30, 375));
    // The back shows the front's image, so they share it.
    EXPECT_EQ(small.Textures[size_t(Back)], small.Textures[size_t(Front)]);
    EXPECT_LT(thumbnails.Bytes(), large.Bytes() / 8);
}

TEST_F(TextureCache, ARunKeepsItsBoundButNeverLetsGoOfTheCurrentBoxsImages)
{
    if (!Gl)
        return;
    const auto box = [&](const char* name, QColor colour) {
        return TBoxArtwork{.Faces = {Jpeg(QString(name) + ".jpg", 200, 300, colour), "",
                                     Jpeg(QString(name) + "-back.jpg", 200, 300, colour)},
                           .Size = TBoxSize{20, 30, 5}};
    };
    const TBoxArtwork first = box("first", Qt::red), second = box("second", Qt::blue);
    TTextureCache cache(1000, 1000, 1);  // one byte: no box fits
    using enum TArtFace;
    const TBoxSetup a = ResolveBox(first, cache);
    EXPECT_EQ(cache.Loaded(), 2u);
    // Both of its images are there while it is drawn, however small the bound.
    EXPECT_NE(a.Textures[size_t(Front)]->TextureID, a.Textures[size_t(Back)]->TextureID);
    EXPECT_TRUE(glIsTexture(a.Textures[size_t(Front)]->TextureID));
    EXPECT_TRUE(glIsTexture(a.Textures[size_t(Back)]->TextureID));
    const size_t oneBox = cache.Bytes();
    // The next box lets them go, and the first is read anew when it returns.
    ResolveBox(second, cache);
    EXPECT_EQ(cache.Loaded(), 4u);
    EXPECT_EQ(cache.Bytes(), oneBox);
    ResolveBox(first, cache);
    EXPECT_EQ(cache.Loaded(), 6u);
    // With room for a box, one used again is not read again.
    TTextureCache roomy(1000, 1000, oneBox);
    ResolveBox(first, roomy);
    ResolveBox(second, roomy);
    ResolveBox(second, roomy);
    EXPECT_EQ(roomy.Loaded(), 4u);
    ResolveBox(first, roomy);
    EXPECT_EQ(roomy.Loaded(), 6u);
}

TEST_F(TextureCache, ALetGoTextureServesTheNextImageOfItsSizeOrIsDeleted)
{
    if (!Gl)
        return;
    TTextureCache cache(1000, 1000, 64 * 64 * 4);  // room for one image of 64 x 64
    const auto front = [&](const TBoxSetup& setup) { return setup.Textures[size_t(TArtFace::Front)]; };
    const auto box = [&](const char* name, int side, QColor colour) {
        return ResolveBox({.Faces = {Jpeg(name, side, side, colour)}, .Size = TBoxSize{20, 30, 5}}, cache);
    };
    const GLuint name = front(box("a.jpg", 64, Qt::red))->TextureID;
    // The next box's image of the same size goes into the same GL texture.
    const TTextureImage* blue = front(box("b.jpg", 64, Qt::blue));
    EXPECT_EQ(blue->TextureID, name);
    std::vector<uint8_t> texels(64 * 64 * 4);
    blue->Bind();
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    EXPECT_LT(texels[0], 10);
    EXPECT_GT(texels[2], 240);
    // Spares take no more room than the kept images: boxes of other sizes
    // push it out, and it is deleted.
    for (const int side : {48, 56, 40})
        box(("c" + std::to_string(side) + ".jpg").c_str(), side, Qt::green);
    // Either the name is free again, or the GL handed it out again to one of
    // the smaller images.
    GLint width = 0;
    if (glIsTexture(name)) {
        glBindTexture(GL_TEXTURE_2D, name);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    }
    EXPECT_LT(width, 64);
}

TEST_F(TextureCache, AWrapScanReadAgainKeepsThePartTheBoxDrawsAlready)
{
    if (!Gl)
        return;
    TTextureCache cache(1000, 1000, 1);
    const std::string scan = Jpeg("scan.jpg", 130, 60, Qt::red);
    const TBoxArtwork whole{.Wrap = scan, .WrapSpine = 10, .Size = TBoxSize{20, 30, 5}};
    TBoxArtwork frontOnly = whole;  // its own back and spine: the scan's front alone
    frontOnly.Faces[size_t(TArtFace::Back)] = frontOnly.Faces[size_t(TArtFace::Spine)] = Jpeg("own.jpg", 8, 8, Qt::blue);
    ResolveBox(whole, cache);
    const GLuint front = ResolveBox(frontOnly, cache).Textures[size_t(TArtFace::Front)]->TextureID;
    // The scan's back and spine are gone and are read again, its front is not.
    const TBoxSetup again = ResolveBox(whole, cache);
    EXPECT_EQ(cache.Loaded(), 3u);
    EXPECT_EQ(again.Textures[size_t(TArtFace::Front)]->TextureID, front);
    EXPECT_TRUE(glIsTexture(front));
}
