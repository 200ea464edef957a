#include "cover/TextureImage.h"
#include "render/BoxShot.h"
#include "render/CoverScene.h"
#include "tests/gui/render/SolidCovers.h"
#include "tests/support/TestGL.h"
#include "view/RenderState.h"
#include "view/StylePresets.h"
#include "view/ViewSurface.h"

#include <QOpenGLContext>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr int White = int(SolidColours.size());

// The smallest rectangle holding every pixel that is not white.
QRect ContentRect(const QImage& image)
{
    QRect rect;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (SolidIndex(image.pixelColor(x, y)) != White)
                rect |= QRect(x, y, 1, 1);
    return rect;
}

// True when the 5 x 5 pixels around (x, y) are all of one solid colour.
bool Uniform(const QImage& image, int x, int y)
{
    const int index = SolidIndex(image.pixelColor(x, y));
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const QPoint p(x + dx, y + dy);
            if (!image.rect().contains(p) || SolidIndex(image.pixelColor(p)) != index)
                return false;
        }
    return index >= 0;
}

class BoxShot : public testing::Test {
protected:
    void SetUp() override
    {
        Gl = MakeTestContext(1150, 880);
        if (!Gl)
            return;
        ApplyRenderState();
        Api = TFramebufferApi::Resolve(
            [](const char* name) { return reinterpret_cast<void*>(QOpenGLContext::currentContext()->getProcAddress(name)); });
    }

    // The cover's textures and geometry list, as the tool makes them.
    TFrameScene Scene(const QString& options, float xRotation, float yRotation,
                      const QString& sizes = "Width=20\nHeight=30\nDepth=5\n")
    {
        const std::string cover = WriteSolidCover(Folder.path(), "box.cov", options, sizes).toStdString();
        const TCoverSetup setup = ReadCoverSetup(cover);
        const TFaceTextures textures = CoverTextures(setup, cover, Cache);
        const float width = float(setup.Width), height = float(setup.Height), depth = float(setup.Depth);
        List = CompileBoxList(List, width, height, depth, setup.Box, textures);
        Quads = BoxQuads(width, height, depth, setup.Box);
        return {xRotation, yRotation, setup.ShowBackground, List, textures[size_t(TFaceSlot::Floor)]};
    }

    // The window's view: its back buffer at the design size, drawn by its frame code.
    QImage WindowView(const TFrameScene& scene)
    {
        Gl->Surface()->BindBuffer();
        glClearColor(1.0f, 1.0f, 1.0f, 0.5f);
        SetViewProjection(1150, 880);
        DrawScene(scene);
        return Gl->ReadBuffer().copy(0, ViewMargin, 1150, 880 - ViewMargin);
    }

    // Every probe of a 24 x 24 grid over the window's box that lies inside one
    // face shows the same colour at the same relative place in the shot.
    static void ExpectSameFaces(const QImage& window, const QImage& shot)
    {
        const QRect w = ContentRect(window), s = ContentRect(shot);
        ASSERT_FALSE(w.isEmpty());
        ASSERT_FALSE(s.isEmpty());
        int compared = 0;
        for (int i = 1; i < 24; ++i)
            for (int j = 1; j < 24; ++j) {
                const double fx = i / 24.0, fy = j / 24.0;
                const int wx = w.left() + int(fx * w.width()), wy = w.top() + int(fy * w.height());
                const int sx = s.left() + int(fx * s.width()), sy = s.top() + int(fy * s.height());
                if (!Uniform(window, wx, wy) || !Uniform(shot, sx, sy))
                    continue;
                ++compared;
                EXPECT_EQ(SolidIndex(window.pixelColor(wx, wy)), SolidIndex(shot.pixelColor(sx, sy)))
                    << "at " << fx << ", " << fy;
            }
        EXPECT_GT(compared, 24 * 24 / 3);
    }

    std::unique_ptr<TQtContext> Gl;
    TFramebufferApi Api{};
    QTemporaryDir Folder;
    TTextureCache Cache;
    GLuint List = 0;
    std::vector<TBoxQuad> Quads;
};

} // namespace

TEST_F(BoxShot, ShowsTheWindowsFacesAtTheSamePlacesInEveryPreset)
{
    TBoxShooter shooter(Api);
    std::vector<std::pair<float, float>> poses{{0.0f, 0.0f}};
    for (const TStylePreset& preset : StylePresetTable())
        poses.emplace_back(preset.XRotation, preset.YRotation);
    // The open lid of a smaller box still lies inside the window's view.
    for (const auto& [options, sizes] : {std::pair<QString, QString>(QString(), "Width=20\nHeight=30\nDepth=5\n"),
                                         std::pair<QString, QString>("Open=1\nBook=1\n",
                                                                     "Width=16\nHeight=24\nDepth=6\n")}) {
        for (const auto& [x, y] : poses) {
            SCOPED_TRACE(testing::Message() << options.toStdString() << " pose " << x << ", " << y);
            const TFrameScene scene = Scene(options, x, y, sizes);
            const QImage window = WindowView(scene);
            const QImage shot = shooter.Shoot(scene, Quads, {.Width = 900, .Height = 900});
            ASSERT_EQ(shot.size(), QSize(900, 900));
            ExpectSameFaces(window, shot);
        }
    }
}

TEST_F(BoxShot, FillsThePictureCentredWithAMargin)
{
    TBoxShooter shooter(Api);
    const TFrameScene scene = Scene({}, 0.0f, 0.0f);
    // The front face, 20 x 30: a tall box in a wide picture fills its height.
    const QImage shot = shooter.Shoot(scene, Quads, {.Width = 800, .Height = 400, .Samples = 1});
    const QRect box = ContentRect(shot);
    const double margin = 400.0 / 1.1 * 0.05;
    EXPECT_NEAR(box.top(), margin, 2.0);
    EXPECT_NEAR(shot.height() - 1 - box.bottom(), margin, 2.0);
    EXPECT_NEAR(box.left() + box.right(), shot.width() - 1, 2.0);
    // The window draws the box 20 wide and 30 high; so does the shot.
    EXPECT_NEAR(double(box.width()) / box.height(), 20.0 / 30.0, 0.02);
    EXPECT_EQ(SolidIndex(shot.pixelColor(400, 200)), 0);
}

TEST_F(BoxShot, KeepsTheWholeBoxWhereTheWindowCutsItOff)
{
    TBoxShooter shooter(Api);
    const TFrameScene scene = Scene("Open=1\n", -0.25f, 40.0f, "Width=20\nHeight=30\nDepth=10\n");
    // The window's view cuts the open lid at its top edge...
    const QImage window = WindowView(scene);
    EXPECT_EQ(ContentRect(window).top(), 0);
    // ...the shot shows it whole, with its margin.
    const QImage shot = shooter.Shoot(scene, Quads, {.Width = 600, .Height = 600, .Samples = 1});
    const QRect box = ContentRect(shot);
    EXPECT_NEAR(box.top(), 600 / 1.1 * 0.05, 2.0);
    EXPECT_NEAR(shot.height() - 1 - box.bottom(), 600 / 1.1 * 0.05, 2.0);
}

TEST_F(BoxShot, TransparentBackgroundIsClearAndTheBoxOpaque)
{
    TBoxShooter shooter(Api);
    const TFrameScene scene = Scene({}, 31.5f, 31.5f);
    const QImage shot = shooter.Shoot(scene, Quads, {.Width = 300, .Height = 300, .Transparent = true});
    ASSERT_TRUE(shot.hasAlphaChannel());
    EXPECT_EQ(qAlpha(shot.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(shot.pixel(299, 299)), 0);
    EXPECT_EQ(qAlpha(shot.pixel(150, 150)), 255);
    // Edges blend in alpha only: a partly covered pixel keeps a face's colour,
    // never a fringe of the background's.
    int partial = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 300; ++x) {
            const QRgb p = shot.pixel(x, y);
            if (qAlpha(p) > 64 && qAlpha(p) < 192) {
                ++partial;
                EXPECT_LT(qRed(p) + qGreen(p) + qBlue(p), 3 * 230) << x << ", " << y;
            }
        }
    EXPECT_GT(partial, 20);
}

TEST_F(BoxShot, AntialiasingSoftensEdgesAndOneSampleDoesNot)
{
    TBoxShooter shooter(Api);
    const TFrameScene scene = Scene({}, 31.5f, 31.5f);
    auto blended = [](const QImage& image) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += SolidIndex(image.pixelColor(x, y)) == -1;
        return count;
    };
    const int aliased = blended(shooter.Shoot(scene, Quads, {.Width = 300, .Height = 300, .Samples = 1}));
    const int smooth = blended(shooter.Shoot(scene, Quads, {.Width = 300, .Height = 300, .Samples = 8}));
    EXPECT_EQ(aliased, 0);
    EXPECT_GT(smooth, 100);
}

TEST_F(BoxShot, BackgroundColourAndFloorAreKept)
{
    TBoxShooter shooter(Api);
    const TFrameScene plain = Scene({}, 0.0f, 0.0f);
    const QImage shot = shooter.Shoot(plain, Quads, {.Width = 200, .Height = 200, .Background = 0x102030});
    EXPECT_EQ(shot.pixelColor(0, 0), QColor(0x10, 0x20, 0x30));
    // With the floor on, the picture takes in the floor as far as the window
    // shows it: the lowest row of floor runs across the whole picture.
    const TFrameScene floored = Scene("Floor=1\n", 0.0f, 0.0f);
    const QImage floor = shooter.Shoot(floored, Quads, {.Width = 230, .Height = 176});
    int lowest = floor.height() - 1;
    while (lowest > 0 && SolidIndex(floor.pixelColor(115, lowest)) != 4)
        --lowest;
    EXPECT_GT(lowest, 100);
    EXPECT_EQ(SolidIndex(floor.pixelColor(0, lowest)), 4);
    EXPECT_EQ(SolidIndex(floor.pixelColor(229, lowest)), 4);
}

TEST_F(BoxShot, EachImageFileIsLoadedOnce)
{
    Scene({}, 0.0f, 0.0f);
    EXPECT_EQ(Cache.Loaded(), 5u);
    WriteSolidCover(Folder.path(), "other.cov", "Book=1\n");
    const std::string other = QDir(Folder.path()).filePath("other.cov").toStdString();
    const TFaceTextures again = CoverTextures(ReadCoverSetup(other), other, Cache);
    EXPECT_EQ(Cache.Loaded(), 5u);
    EXPECT_NE(again[size_t(TFaceSlot::Plain)]->TextureID, 0u);
}
