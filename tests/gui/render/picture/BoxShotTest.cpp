#include "cover/TextureImage.h"
#include "render/picture/BoxShot.h"
#include "render/artwork/CoverScene.h"
#include "render/picture/Sampling.h"
#include "render/framing/SceneBounds.h"
#include "render/scene/ShotStage.h"
#include "tests/gui/render/BandedCovers.h"
#include "tests/gui/render/ShotFixture.h"
#include "tests/gui/render/ShotProbe.h"
#include "tests/support/TestGL.h"
#include "view/Frame.h"
#include "view/RenderState.h"
#include "view/StylePresets.h"
#include "view/ViewSurface.h"

#include <QOpenGLContext>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

namespace {

// The smallest rectangle holding every pixel that is not white.
QRect ContentRect(const QImage& image)
{
    QRect rect;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (ColourIndex(image.pixelColor(x, y)) != White)
                rect |= QRect(x, y, 1, 1);
    return rect;
}

// True when the 5 x 5 pixels around (x, y) are all of one band colour.
bool Uniform(const QImage& image, int x, int y)
{
    const int index = ColourIndex(image.pixelColor(x, y));
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const QPoint p(x + dx, y + dy);
            if (!image.rect().contains(p) || ColourIndex(image.pixelColor(p)) != index)
                return false;
        }
    return index >= 0;
}

// How much of each pixel a black box covers on white, 0 to 1.
std::vector<double> Coverage(const QImage& image)
{
    std::vector<double> coverage;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            coverage.push_back((255 - qGreen(image.pixel(x, y))) / 255.0);
    return coverage;
}

QPointF Centroid(const QImage& image)
{
    const std::vector<double> coverage = Coverage(image);
    double sum = 0.0, x = 0.0, y = 0.0;
    for (int row = 0; row < image.height(); ++row)
        for (int column = 0; column < image.width(); ++column) {
            const double c = coverage[size_t(row * image.width() + column)];
            sum += c;
            x += c * (column + 0.5);
            y += c * (row + 0.5);
        }
    return {x / sum, y / sum};
}

// How far a tiled picture lies from the untiled one: pixels more than one
// level apart in any channel, the largest difference, and the most such
// pixels on any one row or column along a tile border. Pixels are compared
// as they show, premultiplied: the colour of a clear pixel is no colour.
struct TTileDifference {
    double Share = 0.0;
    int Largest = 0;
    int WorstBorder = 0;
};

TTileDifference Difference(const QImage& whole, const QImage& tiled, int side, int tileHeight)
{
    const QImage a = whole.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage b = tiled.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    std::vector<int> rows(size_t(a.height()), 0), columns(size_t(a.width()), 0);
    TTileDifference d;
    int over = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int most = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                       std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            d.Largest = std::max(d.Largest, most);
            if (most > 1) {
                ++over;
                ++rows[size_t(y)];
                ++columns[size_t(x)];
            }
        }
    d.Share = double(over) / (double(a.width()) * a.height());
    for (int border = tileHeight; border < a.height(); border += tileHeight)
        for (const int line : {border - 1, border})
            d.WorstBorder = std::max(d.WorstBorder, rows[size_t(line)]);
    for (int border = side; border < a.width(); border += side)
        for (const int line : {border - 1, border})
            d.WorstBorder = std::max(d.WorstBorder, columns[size_t(line)]);
    return d;
}

class BoxShot : public TShotFixture {
protected:

    // The cover's scene in the window's look, as the tool makes it.
    TShotScene Scene(const QString& options, float xRotation, float yRotation,
                      const QString& sizes = "Width=20\nHeight=30\nDepth=5\n")
    {
        return SceneOf(WriteBandedCover(Folder.path(), "box.cov", options, sizes), xRotation, yRotation);
    }

    TShotScene SceneOf(const QString& coverFile, float xRotation, float yRotation)
    {
        return TShotFixture::SceneOf(coverFile, xRotation, yRotation, {.Look = TLook::Window});
    }

    // A box all black, for counting how much of a pixel it covers.
    TShotScene BlackScene(float xRotation, float yRotation)
    {
        QImage black(16, 16, QImage::Format_RGB32);
        black.fill(Qt::black);
        black.save(QDir(Folder.path()).filePath("black.bmp"), "BMP");
        const QString cover = QDir(Folder.path()).filePath("black.cov");
        QFile file(cover);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Properties]\nCover=black.bmp\nSpine=black.bmp\nTop=black.bmp\n[Sizes]\nWidth=20\nHeight=30\n"
                   "Depth=5\n");
        file.close();
        return SceneOf(cover, xRotation, yRotation);
    }

    // The window's view: its back buffer at the design size, drawn by its frame code.
    QImage WindowView(const TShotScene& scene)
    {
        Gl->Surface()->BindBuffer();
        SetViewProjection(1150, 880);
        DrawScene({scene.XRotation, scene.YRotation, scene.ShowBackground, scene.BoxList, scene.FloorTexture});
        return Gl->ReadBuffer().copy(0, ViewMargin, 1150, 880 - ViewMargin);
    }

    // Every probe of a 24 x 24 grid over the window's box that lies inside one
    // band of one face shows the same colour at the same relative place in the shot.
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
                EXPECT_EQ(ColourIndex(window.pixelColor(wx, wy)), ColourIndex(shot.pixelColor(sx, sy)))
                    << "at " << fx << ", " << fy;
            }
        EXPECT_GT(compared, 24 * 24 / 3);
    }

    // The framing the shooter uses for the scene in a picture of that size.
    static TFraming FramingOf(const TShotScene& scene, int width, int height)
    {
        return *FrameShot(scene, width, height);
    }

};

// The first row and the count of each hand of rows a shot gives.
class TRowHands : public TPictureRows {
public:
    void Put(int first, int count, const uint32_t*) override { Hands.emplace_back(first, count); }

    std::vector<std::pair<int, int>> Hands;
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
            const TShotScene scene = Scene(options, x, y, sizes);
            const QImage window = WindowView(scene);
            const QImage shot = shooter.Shoot(scene, {.Width = 900, .Height = 900});
            ASSERT_EQ(shot.size(), QSize(900, 900));
            ExpectSameFaces(window, shot);
        }
    }
}

TEST_F(BoxShot, EveryImageShowsUprightOnItsFace)
{
    // Each face's upper band lies towards the face's top. The box spans x
    // -10..10, y -15 (its top) ..15, z -2.5..2.5; the cover face seen is the
    // one at z = -2.5; the top's image runs along x, its upper band on the
    // spine's side.
    struct TProbe {
        const char* Where;
        TEyePoint At;  // in the box's frame, or in eye space for the background
        int Expected;
    };
    TBoxShooter shooter(Api);
    auto expect = [&](const TShotScene& scene, bool eyeSpace, std::initializer_list<TProbe> probes) {
        const QImage shot = shooter.Shoot(scene, {.Width = 800, .Height = 800, .Samples = 1});
        const TFraming framing = FramingOf(scene, 800, 800);
        for (const TProbe& probe : probes) {
            const TEyePoint p = probe.At;
            const QPoint pixel =
                PictureOf(framing, 800, eyeSpace ? p : EyePoint(p.X, p.Y, p.Z, scene.XRotation, scene.YRotation));
            EXPECT_EQ(ColourIndex(shot.pixelColor(pixel)), probe.Expected)
                << probe.Where << " at " << pixel.x() << ", " << pixel.y();
        }
    };
    expect(Scene("Floor=1\n", 31.5f, 31.5f), false,
           {{"cover, upper", {0, -8, -2.5}, Upper(TCoverImage::Cover)},
            {"cover, lower", {0, 8, -2.5}, Lower(TCoverImage::Cover)},
            {"spine, upper", {10, -8, 0}, Upper(TCoverImage::Spine)},
            {"spine, lower", {10, 8, 0}, Lower(TCoverImage::Spine)},
            {"top, spine's side", {6, -15, 0}, Upper(TCoverImage::Top)},
            {"top, other side", {-6, -15, 0}, Lower(TCoverImage::Top)}});
    // The billboard 65 in front of the eye, from -55 to 15 across and -35 to
    // 35 high, on the box's right.
    expect(Scene("Back=1\n", 0.0f, 0.0f), true,
           {{"background, high", {8, 15, -65}, Upper(TCoverImage::Floor)},
            {"background, low", {8, -15, -65}, Lower(TCoverImage::Floor)}});
}

TEST_F(BoxShot, TransparentBackgroundIsClearAndTheBoxOpaque)
{
    TBoxShooter shooter(Api);
    TShotScene scene = Scene({}, 31.5f, 31.5f);
    scene.Style.Transparent = true;
    const QImage shot = shooter.Shoot(scene, {.Width = 300, .Height = 300});
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

TEST_F(BoxShot, DrawsExactlyTheSamplesAskedFor)
{
    // A black box on white: a pixel that the box covers in k of N samples is
    // k / N black, so each count shows its own levels, and all of them along
    // the slanted edges; in one piece and in tiles of 64 alike.
    TBoxShooter shooter(Api);
    const TShotScene scene = BlackScene(31.5f, 31.5f);
    for (const auto& [samples, tile] : {std::pair(1, 4096), std::pair(2, 4096), std::pair(3, 4096),
                                        std::pair(4, 4096), std::pair(6, 4096), std::pair(8, 4096),
                                        std::pair(3, 64), std::pair(8, 64)}) {
        SCOPED_TRACE(testing::Message() << samples << " samples, tiles of " << tile);
        const QImage shot = shooter.Shoot(scene, {.Width = 300, .Height = 300, .Samples = samples, .Tile = tile});
        std::set<int> levels;
        int off = 0;
        for (const double coverage : Coverage(shot)) {
            const double k = coverage * samples;
            if (std::abs(k - std::round(k)) > 0.2)
                ++off;
            levels.insert(int(std::lround(k)));
        }
        EXPECT_EQ(off, 0);
        EXPECT_EQ(levels.size(), size_t(samples + 1));
    }
}

TEST_F(BoxShot, PassesCentreOnTheSinglePassPicture)
{
    // More samples than one pass holds: the passes, each moved by a fraction
    // of a pixel, average to a picture centred where one pass draws the box.
    const std::vector<int> counts = TargetSampleCounts(Api);
    const int onePass = counts.back(), twoPasses = 2 * counts.back();
    ASSERT_EQ(PlanSamples(twoPasses, counts).Passes, 2);
    TBoxShooter shooter(Api);
    for (const TStylePreset& preset : StylePresetTable()) {
        SCOPED_TRACE(testing::Message() << "pose " << preset.XRotation << ", " << preset.YRotation);
        const TShotScene scene = BlackScene(preset.XRotation, preset.YRotation);
        const QImage single = shooter.Shoot(scene, {.Width = 240, .Height = 240, .Samples = onePass});
        const QImage passes = shooter.Shoot(scene, {.Width = 240, .Height = 240, .Samples = twoPasses});
        const QPointF a = Centroid(single), b = Centroid(passes);
        EXPECT_NEAR(a.x(), b.x(), 0.15);
        EXPECT_NEAR(a.y(), b.y(), 0.15);
        EXPECT_NE(single, passes);
    }
}

TEST_F(BoxShot, LeavesTheClearColourAndThePackAlignmentAsTheyWere)
{
    TBoxShooter shooter(Api);
    TShotScene scene = Scene({}, 0.0f, 0.0f);
    scene.Style.Background = 0x102030;
    glPixelStorei(GL_PACK_ALIGNMENT, 8);
    const QImage shot = shooter.Shoot(scene, {.Width = 200, .Height = 200});
    EXPECT_EQ(shot.pixelColor(0, 0), QColor(0x10, 0x20, 0x30));
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(std::vector<GLfloat>(clear, clear + 4), (std::vector<GLfloat>{1.0f, 1.0f, 1.0f, 0.5f}));
    GLint alignment = 0;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 8);
}

TEST_F(BoxShot, EachImageFileIsLoadedOnceAndOnlyWhenShown)
{
    // A closed box without floor or background shows the cover, spine and top images.
    const TShotScene closed = Scene({}, 0.0f, 0.0f);
    EXPECT_EQ(Cache.Loaded(), 3u);
    EXPECT_EQ(closed.FloorTexture, nullptr);
    WriteBandedCover(Folder.path(), "other.cov", "Open=1\nBack=1\n");
    const std::string other = QDir(Folder.path()).filePath("other.cov").toStdString();
    const TArtTextures again = ResolveBox({.CoverFile = other}, Cache).Textures;
    EXPECT_EQ(Cache.Loaded(), 5u);
    EXPECT_NE(again[size_t(TArtFace::Plain)]->TextureID, 0u);
    EXPECT_NE(again[size_t(TArtFace::Floor)]->TextureID, 0u);
}

TEST_F(BoxShot, ATiledPictureIsTheUntiledOne)
{
    // Tiles of any size, even or odd, and lower than wide where a row of
    // them would take more than its bound, join without a seam: the pictures
    // differ only where an edge's sample flips, a level or two of coverage.
    TBoxShooter shooter(Api);
    const QString floored = WriteBandedCover(Folder.path(), "floored.cov", "Floor=1\n");
    const QString open =
        WriteBandedCover(Folder.path(), "open.cov", "Open=1\n", "Width=20\nHeight=30\nDepth=10\n");
    const std::vector<std::pair<TShotScene, const char*>> scenes{
        {TShotFixture::SceneOf(floored, 31.5f, 31.5f, {.Look = TLook::Window}), "window"},
        {TShotFixture::SceneOf(open, -10.0f, 40.0f, {.Look = TLook::Window, .Transparent = true}),
         "window, transparent"},
        {TShotFixture::SceneOf(floored, 31.5f, 31.5f, {.Reflection = 0.5}), "studio"},
        {TShotFixture::SceneOf(open, 10.0f, -30.0f, {.Shadow = 0.8, .Reflection = 0.5, .Transparent = true}),
         "studio, transparent"}};
    for (const auto& [scene, name] : scenes) {
        const TShotSettings whole{.Width = 1000, .Height = 700, .Tile = 4096};
        const QImage untiled = shooter.Shoot(scene, whole);
        for (const auto& [side, tileHeight] : std::vector<std::pair<int, int>>{
                 {128, 128}, {300, 300}, {301, 301}, {97, 97}, {300, 57}, {1000, 33}}) {
            SCOPED_TRACE(testing::Message() << name << ", tiles of " << side << " x " << tileHeight);
            TShotSettings tiled = whole;
            tiled.Tile = side;
            tiled.TileRowBytes = size_t(whole.Width) * 4 * size_t(tileHeight);
            const TTileDifference d = Difference(untiled, shooter.Shoot(scene, tiled), side, tileHeight);
            EXPECT_LE(d.Share, 0.0005);
            EXPECT_LE(d.Largest, 128);
            EXPECT_LE(d.WorstBorder, 4);
        }
    }
}

TEST_F(BoxShot, AWidePicturesRowsComeInStripsWithinTheirBound)
{
    // Rows go on a row of tiles at a time, so the rows a shot holds are one
    // such strip: no higher than the bound allows, however high the side.
    TBoxShooter shooter(Api);
    const QString floored = WriteBandedCover(Folder.path(), "floored.cov", "Floor=1\n");
    const TShotScene scene = TShotFixture::SceneOf(floored, 31.5f, 31.5f, {});
    for (const int samples : {1, 8}) {
        SCOPED_TRACE(testing::Message() << samples << " samples");
        TRowHands hands;
        shooter.Shoot(scene, {.Width = 1000, .Height = 700, .Samples = samples, .Tile = 4096,
                              .TileRowBytes = 1000 * 4 * 300 + 3999}, hands);
        EXPECT_EQ(hands.Hands, (std::vector<std::pair<int, int>>{{0, 300}, {300, 300}, {600, 100}}));
    }
}
