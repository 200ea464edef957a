// Box shots made from artwork alone: a back cover of its own, a wrap scan cut
// into its faces, faces filled from the front, and fronts with alpha that the
// faces behind them show through.
#include "cover/TextureImage.h"
#include "render/picture/BoxShot.h"
#include "render/picture/OffscreenTarget.h"
#include "tests/gui/render/ShotFixture.h"
#include "tests/gui/render/ShotProbe.h"

#include <QImage>
#include <gtest/gtest.h>
#include <vector>

namespace {

const QColor Red(220, 30, 30), Green(30, 200, 30), Blue(30, 30, 220), Yellow(230, 210, 20), Grey(128, 128, 128);

class ArtworkShot : public TShotFixture {
protected:
    // Writes a PNG of width x height pixels, each from colour(x, y) (y from the top).
    template <typename Colour>
    std::string Png(const QString& name, int width, int height, Colour colour)
    {
        QImage image(width, height, QImage::Format_ARGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image.setPixelColor(x, y, colour(x, y));
        EXPECT_TRUE(image.save(Path(name), "PNG"));
        return Path(name).toStdString();
    }

    QImage Shoot(const TShotScene& scene, int samples)
    {
        return TBoxShooter(Api).Shoot(scene, {.Width = 400, .Height = 400, .Samples = samples});
    }

    // The pixel of a point of the box's own frame.
    static QColor At(const TShotScene& scene, const QImage& shot, double x, double y, double z)
    {
        const TFraming framing = *FrameShot(scene, shot.width(), shot.height());
        return shot.pixelColor(PictureOf(framing, shot.height(), EyePoint(x, y, z, scene.XRotation, scene.YRotation)));
    }

    // The colour of a GL texture's first texel.
    static QColor FirstTexel(const TTextureImage* texture)
    {
        texture->Bind();
        GLint width = 0, height = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        std::vector<uint8_t> texels(size_t(width) * size_t(height) * 4);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        return QColor(texels[0], texels[1], texels[2], texels[3]);
    }
};

bool Near(QColor a, QColor b, int tolerance = 6)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

} // namespace

TEST_F(ArtworkShot, TheBackCoverReadsUprightLeftToRightWhenTurnedToShowIt)
{
    // Four quarters tell left from right and top from bottom.
    const std::string back = Png("back.png", 40, 60, [](int x, int y) {
        return y < 30 ? (x < 20 ? Red : Green) : (x < 20 ? Blue : Yellow);
    });
    const std::string front = Png("front.png", 40, 60, [](int, int) { return Grey; });
    const TBoxArtwork box{.Faces = {front, "", back}, .Size = TBoxSize{20, 30, 5}};
    for (const TLook look : {TLook::Window, TLook::Studio}) {
        SCOPED_TRACE(look == TLook::Window ? "window" : "studio");
        const TShotScene turned = SceneOf(box, 0.0f, 180.0f, {.Look = look, .Shadow = 0.0});
        const QImage shot = Shoot(turned, 1);
        // Seen from behind, the box's +x is on the left and its -y (the top) up.
        const QColor topLeft = At(turned, shot, 5, -7.5, 2.5), topRight = At(turned, shot, -5, -7.5, 2.5),
                     bottomLeft = At(turned, shot, 5, 7.5, 2.5), bottomRight = At(turned, shot, -5, 7.5, 2.5);
        if (look == TLook::Window) {
            EXPECT_TRUE(Near(topLeft, Red) && Near(topRight, Green) && Near(bottomLeft, Blue) &&
                        Near(bottomRight, Yellow));
        } else {
            // Lit as the front is at rest: the ambient light alone would
            // leave each below 128.
            EXPECT_GT(topLeft.red(), 150);
            EXPECT_GT(topRight.green(), 150);
            EXPECT_GT(bottomLeft.blue(), 150);
            EXPECT_GT(bottomRight.red() + bottomRight.green(), 300);
        }
        // At rest the front shows, not the back.
        const TShotScene rest = SceneOf(box, 0.0f, 0.0f, {.Look = look, .Shadow = 0.0});
        const QColor shown = At(rest, Shoot(rest, 1), 0, 0, -2.5);
        EXPECT_EQ(shown.red(), shown.blue());
        EXPECT_EQ(shown.red(), shown.green());
    }
}

TEST_F(ArtworkShot, AWrapScanIsReadOnceAndCutIntoBackSpineAndFront)
{
    // 60 + 10 + 60 columns: back red, spine green, front blue.
    const std::string scan = Png("scan.png", 130, 60, [](int x, int) { return x < 60 ? Red : x < 70 ? Green : Blue; });
    const TBoxArtwork box{.Wrap = scan, .WrapSpine = 10, .AutoSize = true};
    const TBoxSetup setup = ResolveBox(box, Cache);
    EXPECT_EQ(Cache.Loaded(), 1u);
    // 20 wide, the front's aspect 60 x 60, the spine 10 of them deep.
    EXPECT_FLOAT_EQ(setup.Size.Height, 20.0f);
    EXPECT_FLOAT_EQ(setup.Size.Depth, 20.0f * 10 / 60);
    EXPECT_TRUE(Near(FirstTexel(setup.Textures[size_t(TArtFace::Back)]), Red, 0));
    EXPECT_TRUE(Near(FirstTexel(setup.Textures[size_t(TArtFace::Spine)]), Green, 0));
    EXPECT_TRUE(Near(FirstTexel(setup.Textures[size_t(TArtFace::Front)]), Blue, 0));
    // Without the spine's width the box's proportions place it.
    const TBoxSetup proportional = ResolveBox({.Wrap = scan, .Size = TBoxSize{20, 20, 10.0f * 20 / 60}}, Cache);
    EXPECT_TRUE(Near(FirstTexel(proportional.Textures[size_t(TArtFace::Spine)]), Green, 0));
    EXPECT_EQ(Cache.Loaded(), 2u);

    const double hd = setup.Size.Depth / 2;
    for (const auto& [yRotation, point, colour] :
         {std::tuple{0.0f, std::array<double, 3>{0, 0, -hd}, Blue}, std::tuple{180.0f, std::array<double, 3>{0, 0, hd}, Red},
          std::tuple{60.0f, std::array<double, 3>{10, 0, 0}, Green}}) {
        const TShotScene scene = SceneOf(box, 0.0f, yRotation, {.Look = TLook::Window});
        EXPECT_TRUE(Near(At(scene, Shoot(scene, 1), point[0], point[1], point[2]), colour)) << yRotation;
    }
}

TEST_F(ArtworkShot, MissingFacesAreFilledFromTheFront)
{
    // Blue, with an orange column on the right, where the spine meets it.
    const QColor orange(240, 140, 20);
    const std::string front = Png("front.png", 30, 40, [&](int x, int) { return x == 29 ? orange : Blue; });
    const TBoxSetup setup = ResolveBox({.Faces = {front}, .Open = true}, Cache);
    const auto texture = [&](TArtFace face) { return setup.Textures[size_t(face)]; };
    EXPECT_TRUE(Near(FirstTexel(texture(TArtFace::Spine)), orange, 0));
    EXPECT_TRUE(Near(FirstTexel(texture(TArtFace::Top)), orange, 0));
    EXPECT_EQ(texture(TArtFace::Back), texture(TArtFace::Front));
    EXPECT_EQ(texture(TArtFace::Plain), texture(TArtFace::Top));
    EXPECT_EQ(texture(TArtFace::Floor), nullptr);
    EXPECT_EQ(Cache.Loaded(), 1u);
    EXPECT_EQ(setup.Size, StartUpBoxSize);
}

TEST_F(ArtworkShot, ACutOutShowsWhatLiesBehindIt)
{
    // A red front with a window in its middle: see-through above, half
    // alpha below.
    const std::string front = Png("cut.png", 40, 60, [](int x, int y) {
        if (x < 10 || x >= 30 || y < 15 || y >= 45)
            return Red;
        return y < 30 ? QColor(0, 0, 0, 0) : QColor(220, 30, 30, 128);
    });
    const std::string back = Png("green.png", 8, 8, [](int, int) { return Green; });
    const std::string none = Png("none.png", 8, 8, [](int, int) { return QColor(0, 0, 0, 0); });
    const bool multisampled = TargetSampleCounts(Api).size() > 1;
    for (const int samples : {1, 8}) {
        SCOPED_TRACE(testing::Message() << samples << " samples");
        // With the front as its back too, the windows line up: the page shows through.
        const TShotScene lined = SceneOf(TBoxArtwork{.Faces = {front}}, 0.0f, 0.0f, {.Shadow = 0.0, .Transparent = true});
        EXPECT_EQ(At(lined, Shoot(lined, samples), 0, -4, -2.5).alpha(), 0);
        // With a back that is all see-through, the half-alpha column covers
        // a share of the pixel: the samples it covers.
        const TShotScene clear = SceneOf(TBoxArtwork{.Faces = {front, "", none}}, 0.0f, 0.0f,
                                         {.Shadow = 0.0, .Transparent = true});
        const QImage shot = Shoot(clear, samples);
        EXPECT_EQ(At(clear, shot, 0, -4, -2.5).alpha(), 0);
        EXPECT_EQ(At(clear, shot, 0, 12, -2.5).alpha(), 255);
        const QColor half = At(clear, shot, 0, 3.5, -2.5);
        if (samples == 1 || !multisampled) {
            EXPECT_EQ(half.alpha(), 255);  // a single sample is covered from alpha one half up
        } else {
            // As many of a pixel's samples as the GL makes of alpha one half
            // (a quarter either way with four), each in the face's own colour.
            EXPECT_GT(half.alpha(), 40);
            EXPECT_LT(half.alpha(), 215);
            EXPECT_TRUE(Near(half, Red, 12)) << half.name().toStdString();
        }
        // An opaque back: its inside shows through the window.
        const TShotScene backed = SceneOf(TBoxArtwork{.Faces = {front, "", back}}, 0.0f, 0.0f, {.Look = TLook::Window});
        const QColor inside = At(backed, Shoot(backed, samples), 0, -4, -2.5);
        EXPECT_GT(inside.green(), inside.red() + 50);
        EXPECT_GT(inside.green(), inside.blue() + 50);
    }
}
