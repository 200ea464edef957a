// The studio look and the framing, checked on the pictures they make: how
// bright each face reads, the shadow and the reflection on the ground, where
// the box lands at every aspect, how the floor and the background reach the
// edges, and that a tile of the picture is that part of the whole.
#include "render/picture/BoxShot.h"
#include "render/framing/Ground.h"
#include "render/scene/StudioBox.h"
#include "render/shapes/BoxShape.h"
#include "tests/gui/render/BandedCovers.h"
#include "tests/gui/render/ShotFixture.h"
#include "tests/gui/render/ShotProbe.h"
#include "tools/OpaqueBounds.h"
#include "view/StylePresets.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

class StudioShot : public TShotFixture {
protected:

    // A 20 x 30 x 5 box whose five images are all one grey, 128.
    QString GreyCover(const QString& options = {})
    {
        QImage grey(16, 16, QImage::Format_RGB32);
        grey.fill(QColor(128, 128, 128));
        grey.save(Path("grey.bmp"), "BMP");
        QFile file(Path("grey.cov"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(("[Properties]\nCover=grey.bmp\nSpine=grey.bmp\nTop=grey.bmp\nPlain=grey.bmp\nFloor=grey.bmp\n"
                    "[Options]\n" + options + "[Sizes]\nWidth=20\nHeight=30\nDepth=5\n")
                       .toUtf8());
        return Path("grey.cov");
    }

    QImage Shoot(const TShotScene& scene, int width, int height)
    {
        return TBoxShooter(Api).Shoot(scene, {.Width = width, .Height = height, .Samples = 1});
    }

    // Draws the part of the framing's frustum into a target of width x height
    // pixels as the shooter draws a pass: premultiplied RGBA, the bottom row
    // first.
    std::vector<uint8_t> Draw(const TShotScene& scene, const TFraming& framing, const TViewRect& part, int width,
                              int height)
    {
        TOffscreenTarget target(Api, width, height, 1);
        target.Bind();
        glViewport(0, 0, width, height);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glFrustum(part.Left * ViewNear, part.Right * ViewNear, part.Bottom * ViewNear, part.Top * ViewNear, ViewNear,
                  ViewFar);
        DrawShotScene(scene, framing.Frustum);
        std::vector<uint8_t> pixels(size_t(width) * size_t(height) * 4);
        target.Read({0, 0, width, height}, size_t(width), pixels.data());
        return pixels;
    }

    // The pixel of a point of the box's own frame.
    static QPoint PixelOf(const TShotScene& scene, const QImage& image, double x, double y, double z)
    {
        const TFraming framing = *FrameShot(scene, image.width(), image.height());
        return PictureOf(framing, image.height(), EyePoint(x, y, z, scene.XRotation, scene.YRotation));
    }

};

} // namespace

TEST_F(StudioShot, FacesReadAsASolidAtEveryPose)
{
    const QString cover = GreyCover();
    std::vector<std::pair<float, float>> poses{{0.0f, 0.0f}};
    for (const TStylePreset& preset : StylePresetTable())
        poses.emplace_back(preset.XRotation, preset.YRotation);
    const std::vector<TLitQuad> quads = OutwardQuads(BoxQuads(20, 30, 5, {}));
    for (const auto& [xRotation, yRotation] : poses) {
        SCOPED_TRACE(testing::Message() << "pose " << xRotation << ", " << yRotation);
        const TShotScene scene = SceneOf(cover, xRotation, yRotation, {.Shadow = 0.0});
        const QImage shot = Shoot(scene, 600, 600);
        const TFraming framing = *FrameShot(scene, 600, 600);
        // The mean grey of each face turned towards the eye, over its middle.
        std::map<TBoxFace, double> grey;
        for (const TLitQuad& lit : quads) {
            const auto& v = lit.Quad.Vertices;
            auto at = [&](double s, double t) {
                auto mix = [&](float TBoxVertex::*c) {
                    return (1 - s) * (1 - t) * v[0].*c + s * (1 - t) * v[1].*c + s * t * v[2].*c + (1 - s) * t * v[3].*c;
                };
                return EyePoint(mix(&TBoxVertex::X), mix(&TBoxVertex::Y), mix(&TBoxVertex::Z), xRotation, yRotation);
            };
            // How squarely the face looks at the eye: its outward normal
            // against the way from its centre to the eye.
            const TEyePoint c = at(0.5, 0.5), o = EyePoint(0, 0, 0, xRotation, yRotation);
            const TEyePoint n = EyePoint(lit.Normal[0], lit.Normal[1], lit.Normal[2], xRotation, yRotation);
            const double facing = -((n.X - o.X) * c.X + (n.Y - o.Y) * c.Y + (n.Z - o.Z) * c.Z) /
                                  std::sqrt(c.X * c.X + c.Y * c.Y + c.Z * c.Z);
            if (facing < 0.15)
                continue;
            double sum = 0.0;
            int count = 0;
            for (double s = 0.3; s <= 0.71; s += 0.1)
                for (double t = 0.3; t <= 0.71; t += 0.1) {
                    const QColor p = shot.pixelColor(PictureOf(framing, 600, at(s, t)));
                    EXPECT_LE(std::abs(p.red() - p.green()) + std::abs(p.green() - p.blue()), 1);  // no cast
                    sum += p.red();
                    ++count;
                }
            grey[lit.Quad.Face] = sum / count;
        }
        const double front = grey.at(TBoxFace::CoverFar);
        EXPECT_LT(front, 250.0);  // not blown out
        for (const TBoxFace side : {TBoxFace::Spine, TBoxFace::LongSide}) {
            if (grey.contains(side)) {
                EXPECT_GT(front, grey[side] + 25.0);
                if (grey.contains(TBoxFace::Top)) {
                    EXPECT_GT(grey[TBoxFace::Top], grey[side] + 12.0);
                }
            }
        }
        if (grey.contains(TBoxFace::Top)) {
            EXPECT_GT(front, grey[TBoxFace::Top] + 10.0);
        }
        const char* const names[] = {"back", "front", "top", "lid", "tuck", "flap", "flap", "bottom", "spine", "side"};
        std::string levels;
        for (const auto& [face, level] : grey)
            levels += std::string(names[int(face)]) + " " + std::to_string(std::lround(level)) + " ";
        RecordProperty(testing::PrintToString(std::pair(xRotation, yRotation)), levels);
    }
}

TEST_F(StudioShot, ShadowIsBlackAlphaFallingAwayFromTheFoot)
{
    const QString cover = GreyCover();
    const TShotScene shadowed = SceneOf(cover, 31.5f, 31.5f, {.Shadow = 0.6, .Transparent = true});
    const QImage shot = Shoot(shadowed, 600, 600);
    // The box alone in the same framing, drawn the same way.
    TShotScene bare = shadowed;
    bare.Style.Shadow = 0.0;
    const TFraming framing = *FrameShot(shadowed, 600, 600);
    const std::vector<uint8_t> with = Draw(shadowed, framing, framing.Frustum, 600, 600);
    const std::vector<uint8_t> without = Draw(bare, framing, framing.Frustum, 600, 600);
    int shadow = 0;
    for (size_t i = 0; i < with.size(); i += 4) {
        if (without[i + 3] == 255) {
            ASSERT_TRUE(std::equal(&with[i], &with[i + 4], &without[i])) << "the shadow covers the box at " << i / 4;
        } else if (without[i + 3] == 0 && with[i + 3] != 0) {
            ++shadow;
            ASSERT_EQ(with[i] + with[i + 1] + with[i + 2], 0) << "a fringe at " << i / 4;
            ASSERT_LE(with[i + 3], 154);
        }
    }
    EXPECT_GT(shadow, 600 * 600 / 20);
    // Out from the front cover's foot along the ground, as the falloff says.
    for (double d = 0.25; d <= 12.0; d += 0.25) {
        const int alpha = qAlpha(shot.pixel(PixelOf(shadowed, shot, 0.0, 15.0, -2.5 - d)));
        EXPECT_NEAR(alpha, 0.6 * 255 * ShadowFalloff(d / 10.0), 4.0) << "at " << d;
        RecordProperty("alpha_at_" + std::to_string(int(d * 100)), alpha);
    }
}

TEST_F(StudioShot, ReflectionMirrorsTheBoxAndFadesAwayFromTheFoot)
{
    const QString cover = WriteBandedCover(Folder.path(), "box.cov");
    const TShotScene scene = SceneOf(cover, 0.0f, 0.0f, {.Shadow = 0.0, .Reflection = 0.4, .Transparent = true});
    const QImage shot = Shoot(scene, 400, 600);
    for (double d = 0.5; d <= 14.0; d += 0.5) {
        SCOPED_TRACE(testing::Message() << d << " below the foot");
        const QRgb mirrored = shot.pixel(PixelOf(scene, shot, 3.0, 15.0 + d, -2.5));
        const double expected = d < 12.0 ? 0.4 * 255 * (1 - d / 12.0) * (1 - d / 12.0) : 0.0;
        EXPECT_NEAR(qAlpha(mirrored), expected, 4.0);
        if (qAlpha(mirrored) < 32)
            continue;
        // The front cover's colour as drawn at the point mirrored above the ground.
        const QRgb face = shot.pixel(PixelOf(scene, shot, 3.0, 15.0 - d, -2.5));
        EXPECT_NEAR(qRed(mirrored), qRed(face), 6);
        EXPECT_NEAR(qGreen(mirrored), qGreen(face), 6);
        EXPECT_NEAR(qBlue(mirrored), qBlue(face), 6);
    }
}

TEST_F(StudioShot, FramesTheBoxWithTheMarginAndTheSurroundingsReachEveryEdge)
{
    for (const QSize size : {QSize(800, 600), QSize(600, 800), QSize(3000, 3000)}) {
        for (const auto& [xRotation, yRotation] : {std::pair(0.0f, 0.0f), {31.5f, 31.5f}}) {
            SCOPED_TRACE(testing::Message() << size.width() << " x " << size.height() << " pose " << xRotation);
            const int w = size.width(), h = size.height();
            const TShotScene bare = SceneOf(GreyCover(), xRotation, yRotation, {.Shadow = 0.0, .Transparent = true});
            const QImage box = Shoot(bare, w, h);
            const QRect r = OpaqueBounds(box);
            const int left = r.left(), right = w - 1 - r.right(), top = r.top(), bottom = h - 1 - r.bottom();
            EXPECT_NEAR(left, right, 1);
            EXPECT_NEAR(top, bottom, 1);
            EXPECT_NEAR(std::min(double(left) / w, double(top) / h), 0.05, 1.0 / std::min(w, h));
            RecordProperty(QString("%1x%2_x%3").arg(w).arg(h).arg(xRotation).toStdString(),
                           QString("%1 %2 %3 %4").arg(left).arg(right).arg(top).arg(bottom).toStdString());
            // The floor and the background change nothing of the box, and
            // leave no strip of the background colour at the edges.
            for (const QString options : {"Floor=1\n", "Back=1\n"}) {
                if (w == 3000 && options == "Floor=1\n")
                    continue;
                const QImage shot = Shoot(SceneOf(GreyCover(options), xRotation, yRotation, {.Shadow = 0.0}), w, h);
                for (int y = r.top(); y <= r.bottom(); y += 7)
                    for (int x = r.left(); x <= r.right(); x += 7)
                        if (qAlpha(box.pixel(x, y)) == 255) {
                            ASSERT_EQ(shot.pixel(x, y) & 0xFFFFFF, box.pixel(x, y) & 0xFFFFFF) << x << ", " << y;
                        }
                auto white = [&](int x, int y) { return qRed(shot.pixel(x, y)) > 250; };
                for (int x = 0; x < w; ++x)
                    ASSERT_FALSE(white(x, h - 1)) << options.toStdString() << "bottom " << x;
                for (int y = h - h / 8; y < h; ++y)
                    ASSERT_FALSE(white(0, y) || white(w - 1, y)) << options.toStdString() << "sides " << y;
                if (options == "Back=1\n") {
                    for (int i = 0; i < w; ++i)
                        ASSERT_FALSE(white(i, 0)) << "top " << i;
                }
                // No hard cut: up each side, the floor fades a little at a time.
                for (int y = 1; y < h; ++y)
                    for (const int x : {0, w - 1})
                        ASSERT_LE(std::abs(qRed(shot.pixel(x, y)) - qRed(shot.pixel(x, y - 1))), 8) << x << ", " << y;
            }
        }
    }
}

TEST_F(StudioShot, ATileIsThatPartOfTheWholePicture)
{
    const QString cover = WriteBandedCover(Folder.path(), "box.cov", "Floor=1\nBack=1\n");
    const TShotScene scene = SceneOf(cover, 31.5f, 31.5f, {.Shadow = 0.8, .Reflection = 0.5});
    const TFraming framing = *FrameShot(scene, 240, 180);
    const std::vector<uint8_t> whole = Draw(scene, framing, framing.Frustum, 240, 180);
    // The tile of columns 90..209 and rows 60..149 (from the bottom).
    const TViewRect& f = framing.Frustum;
    const double px = f.Width() / 240, py = f.Height() / 180;
    const std::vector<uint8_t> tile =
        Draw(scene, framing, {f.Left + 90 * px, f.Left + 210 * px, f.Bottom + 60 * py, f.Bottom + 150 * py}, 120, 90);
    int apart = 0;
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 120; ++x)
            for (int c = 0; c < 4; ++c)
                apart += std::abs(tile[size_t((y * 120 + x) * 4 + c)] - whole[size_t(((y + 60) * 240 + x + 90) * 4 + c)]) > 2;
    EXPECT_LE(apart, 120 * 90 / 100);
}

TEST_F(StudioShot, DrawingLeavesTheStateAsItFoundIt)
{
    const QString cover = WriteBandedCover(Folder.path(), "box.cov", "Floor=1\nBack=1\n");
    const TShotScene scene = SceneOf(cover, 31.5f, 31.5f, {.Reflection = 0.5});
    TOffscreenTarget target(Api, 50, 50, 1);
    target.Bind();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-0.05, 0.05, -0.05, 0.05, ViewNear, ViewFar);
    GLfloat projection[16], after[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    DrawShotScene(scene, FrameShot(scene, 50, 50)->Frustum);
    glGetFloatv(GL_PROJECTION_MATRIX, after);
    EXPECT_TRUE(std::equal(projection, projection + 16, after));
    GLint value = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &value);
    EXPECT_EQ(value, GL_TEXTURE0);
    glGetIntegerv(GL_FRONT_FACE, &value);
    EXPECT_EQ(value, GL_CCW);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(std::vector<GLfloat>(clear, clear + 4), (std::vector<GLfloat>{1.0f, 1.0f, 1.0f, 0.5f}));
    glActiveTexture(GL_TEXTURE1);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_1D));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
    glActiveTexture(GL_TEXTURE0);
}
