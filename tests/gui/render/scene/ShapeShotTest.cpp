// The shapes as their pictures show them: each one's outline in a front
// view, a case's rounded corners, the jewel case's see-through plastic, the
// glossy sleeve's highlight, and that tiles make the same picture.
#include "render/picture/BoxShot.h"
#include "render/shapes/ShapeKinds.h"
#include "tests/gui/render/ShotFixture.h"
#include "tests/gui/render/ShotProbe.h"
#include "tools/OpaqueBounds.h"
#include "view/StylePresets.h"

#include <gtest/gtest.h>

namespace {

using enum TShapeKind;

class ShapeShot : public TShotFixture {
protected:
    // The shape with a front image of one grey.
    TShotScene GreyScene(TShapeKind kind, float xRotation, float yRotation, const TShotStyle& style, int grey = 128)
    {
        QImage image(64, 64, QImage::Format_RGB32);
        image.fill(QColor(grey, grey, grey));
        const QString name = Path(QString("grey%1.png").arg(grey));
        image.save(name, "PNG");
        return SceneOf(TBoxArtwork{.Faces = {name.toStdString()}, .Shape = kind}, xRotation, yRotation, style);
    }

    QImage Shoot(const TShotScene& scene, int width, int height, int tile = DefaultTileSide, int samples = 1)
    {
        return TBoxShooter(Api).Shoot(
            scene, {.Width = width, .Height = height, .Samples = samples, .Transparent = scene.Style.Transparent,
                    .Tile = tile});
    }

    static QPoint PixelOf(const TShotScene& scene, const QImage& image, double x, double y, double z)
    {
        const TFraming framing = *FrameShot(scene, image.width(), image.height());
        return PictureOf(framing, image.height(), EyePoint(x, y, z, scene.XRotation, scene.YRotation));
    }
};

const TShotStyle Bare{.Shadow = 0.0, .Margin = 0.0, .Transparent = true};

} // namespace

TEST_F(ShapeShot, AFrontViewShowsEachShapesOutline)
{
    if (!Gl)
        GTEST_SKIP() << "no OpenGL context";
    for (const TShapeKind kind : {Box, Hardcover, Paperback, Dvd, Bluray, Jewel}) {
        SCOPED_TRACE(std::string(ShapeName(kind)));
        const TShotScene scene = GreyScene(kind, 0.0f, 0.0f, Bare);
        const QImage shot = Shoot(scene, 500, 500);
        const QRect bounds = OpaqueBounds(shot);
        const TBoxSize& size = scene.Shape.Size;
        // Seen square on, the outline is the front's: its width to its height.
        EXPECT_NEAR(double(bounds.width()) / bounds.height(), size.Width / size.Height, 0.02);
        EXPECT_GE(std::max(bounds.width(), bounds.height()), 495);
    }
}

TEST_F(ShapeShot, ACasesCornersAreRoundAndItsFrontPrinted)
{
    if (!Gl)
        GTEST_SKIP() << "no OpenGL context";
    for (const TShapeKind kind : {Dvd, Bluray}) {
        const TShotScene scene = GreyScene(kind, 0.0f, 0.0f, Bare);
        const QImage shot = Shoot(scene, 800, 800, DefaultTileSide, 8);
        const QRect bounds = OpaqueBounds(shot);
        // The outline's corners are cut away; the middle of each side is not.
        for (const QPoint corner : {bounds.topLeft(), bounds.topRight(), bounds.bottomLeft(), bounds.bottomRight()})
            EXPECT_EQ(qAlpha(shot.pixel(corner)), 0);
        EXPECT_EQ(qAlpha(shot.pixel(bounds.center().x(), bounds.top() + 1)), 255);
        // The front shows the image's grey, the rim above it the plastic.
        const QColor middle = shot.pixelColor(bounds.center());
        EXPECT_NEAR(middle.red(), middle.blue(), 3);
        EXPECT_GT(middle.red(), 60);
        const QColor rim = shot.pixelColor(bounds.center().x(), bounds.top() + 2);
        EXPECT_NE(rim.blue() > rim.red() + 40, kind == Dvd);  // blue for a Blu-ray, black for a DVD
    }
}

TEST_F(ShapeShot, AJewelCaseLetsTheBackgroundThroughWhereNothingIsPrinted)
{
    if (!Gl)
        GTEST_SKIP() << "no OpenGL context";
    const TShotScene scene = GreyScene(Jewel, 0.0f, 0.0f, Bare);
    const QImage shot = Shoot(scene, 600, 600, DefaultTileSide, 8);
    const TBoxSize& size = scene.Shape.Size;
    // Between the tray card's top and the case's, the clear plastic alone.
    const double y = -(size.Height / 2 + size.Height / 2 * 118.0 / 125.0) / 2;
    const QColor clear = shot.pixelColor(PixelOf(scene, shot, 0.0, y, -size.Depth / 2));
    EXPECT_GT(clear.alpha(), 15);
    EXPECT_LT(clear.alpha(), 160);
    // The booklet behind the lid is the image's grey, seen through the
    // plastic: opaque.
    const QColor booklet = shot.pixelColor(PixelOf(scene, shot, 0.0, 0.0, -size.Depth / 2));
    EXPECT_EQ(booklet.alpha(), 255);
    EXPECT_NEAR(booklet.red(), booklet.blue(), 12);
    EXPECT_GT(booklet.red(), 100);
}

TEST_F(ShapeShot, AGlossySleeveShowsAHighlightAndPaperNone)
{
    if (!Gl)
        GTEST_SKIP() << "no OpenGL context";
    // The brightest of a front in the preset poses, against its median.
    auto glare = [&](TShapeKind kind) {
        int most = 0;
        for (const TStylePreset& preset : StylePresetTable()) {
            const TShotScene scene = GreyScene(kind, preset.XRotation, preset.YRotation, {.Shadow = 0.0}, 100);
            const QImage shot = Shoot(scene, 300, 300);
            const TBoxSize& size = scene.Shape.Size;
            for (int i = 1; i < 10; ++i)
                for (int j = 1; j < 10; ++j) {
                    const QPoint p = PixelOf(scene, shot, size.Width * (i / 10.0 - 0.5) * 0.8,
                                             size.Height * (j / 10.0 - 0.5) * 0.8, -size.Depth / 2);
                    most = std::max(most, qRed(shot.pixel(p)));
                }
        }
        return most;
    };
    EXPECT_GT(glare(Dvd), glare(Paperback) + 25);
}

TEST_F(ShapeShot, ATiledPictureIsTheWholeOne)
{
    if (!Gl)
        GTEST_SKIP() << "no OpenGL context";
    for (const TShapeKind kind : {Hardcover, Paperback, Dvd, Bluray, Jewel}) {
        SCOPED_TRACE(std::string(ShapeName(kind)));
        const TShotScene scene =
            GreyScene(kind, 20.0f, -35.0f, {.Shadow = 0.6, .Reflection = 0.4, .Transparent = true});
        // As the whole picture, but for the odd pixel on an edge (of the
        // clear plastic's many) that a tile's own frustum rounds the other way.
        const QImage whole = Shoot(scene, 210, 170, DefaultTileSide, 4), tiled = Shoot(scene, 210, 170, 48, 4);
        int far = 0;
        for (int y = 0; y < whole.height(); ++y)
            for (int x = 0; x < whole.width(); ++x) {
                const QRgb p = whole.pixel(x, y), q = tiled.pixel(x, y);
                far += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) +
                           std::abs(qAlpha(p) - qAlpha(q)) > 48;
            }
        EXPECT_LE(far, whole.width() * whole.height() / 1000);
    }
}
