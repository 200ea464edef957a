// Faces read for what a box's pictures show of them: each picture drawn
// from them is the picture drawn from whole reads, where the face is seen
// at its largest as well.
#include "render/artwork/BoxPlan.h"
#include "render/batch/PictureViews.h"
#include "render/picture/BoxShot.h"
#include "tests/gui/render/ShotFixture.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <vector>
#include <gtest/gtest.h>

namespace {

class PictureViewsShot : public TShotFixture {
protected:
    // A JPEG of print: lines of letters a few picture pixels high over bands
    // of colour (a finer print than the picture shows would differ by the
    // aliasing of a whole read alone).
    std::string Print(const QString& name, int width, int height, int hue)
    {
        QImage image(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image.setPixelColor(x, y, QColor::fromHsv((hue + x / 7 + y / 11) % 360, 160, 200));
        QPainter painter(&image);
        painter.setFont(QFont("DejaVu Sans", 30));
        for (int y = 40; y < height; y += 48)
            painter.drawText(4, y, "The quick brown fox jumps over the lazy dog 0123456789 The quick brown fox");
        painter.end();
        EXPECT_TRUE(image.save(Path(name), "JPG", 92));
        return Path(name).toStdString();
    }
};

struct TPictureDifference {
    double Mean = 0.0;  // levels, over every channel of every pixel, as seen
    double Far = 0.0;   // the share of pixels seen more than 16 levels apart in a channel
};

// The picture's levels averaged over each 3 x 3 pixels: what the eye sees
// of it, without the phase of the texels under each pixel.
std::vector<double> Seen(const QImage& image)
{
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
    const int width = rgba.width(), height = rgba.height();
    std::vector<double> seen(size_t(width) * size_t(height) * 4);
    for (int y = 1; y + 1 < height; ++y)
        for (int x = 1; x + 1 < width; ++x)
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    for (int c = 0; c < 4; ++c)
                        seen[(size_t(y) * size_t(width) + size_t(x)) * 4 + size_t(c)] +=
                            rgba.constScanLine(y + dy)[(x + dx) * 4 + c] / 9.0;
    return seen;
}

TPictureDifference Difference(const QImage& a, const QImage& b)
{
    const std::vector<double> x = Seen(a), y = Seen(b);
    TPictureDifference d;
    for (size_t i = 0; i < x.size(); i += 4) {
        double worst = 0;
        for (size_t c = 0; c < 4; ++c) {
            d.Mean += std::abs(x[i + c] - y[i + c]);
            worst = std::max(worst, std::abs(x[i + c] - y[i + c]));
        }
        d.Far += worst > 16;
    }
    return {d.Mean / double(x.size()), d.Far / double(x.size() / 4)};
}

} // namespace

TEST_F(PictureViewsShot, FacesReadForThePicturesDrawThemAsWholeReadsDo)
{
    if (!Gl)
        return;
    const TBoxArtwork artwork{
        .Faces = {Print("front.jpg", 1000, 1500, 0), Print("spine.jpg", 150, 1500, 120), Print("back.jpg", 1000, 1500, 240)},
        .Size = TBoxSize{20, 30, 5}};
    struct TCase {
        const char* What;
        float X, Y;
        TShotStyle Style;
        int Side;
    };
    const TCase cases[] = {
        {"the front at three quarters", 25, 30, {}, 600},
        {"the front faced, in the window look", 0, 0, {.Look = TLook::Window}, 600},
        {"the back, with a reflection", 20, 200, {.Reflection = 0.6}, 600},
        {"the spine, close", -10, 80, {}, 900},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TRenderOptions options;
        options.Width = options.Height = c.Side;
        options.Style = c.Style;
        const std::vector<TPictureJob> jobs{
            {.Box = 0, .Pose = {"", c.X, c.Y}, .OutputFile = "box.png", .Format = TImageFormat::Png}};
        const TBoxPlan plan = PlanBox(artwork);
        TTextureCache reduced(c.Side, c.Side);
        const TShotSettings settings{.Width = c.Side, .Height = c.Side, .Samples = 4};
        QImage shot;
        {
            TShotStage stage(c.Style);
            TShotScene scene = stage.Scene(LoadBox(plan, reduced, ShownNeeds(plan, jobs, options)));
            scene.XRotation = c.X;
            scene.YRotation = c.Y;
            shot = TBoxShooter(Api).Shoot(scene, settings);
        }
        const QImage whole = TBoxShooter(Api).Shoot(SceneOf(artwork, c.X, c.Y, c.Style), settings);
        // Read smaller indeed (a face not shown, or one read reduced), and
        // drawn the same to the eye.
        EXPECT_LT(reduced.Bytes(), Cache.Bytes());
        const TPictureDifference d = Difference(shot, whole);
        // Letters' edges move by a fraction of a pixel between the two
        // reads' texels; a read of fewer pixels than the picture shows blurs
        // them by more (1.6 levels and 3% of pixels far apart, read at just
        // what the picture shows).
        EXPECT_LT(d.Mean, 1.2);
        EXPECT_LE(d.Far, 0.015);
    }
}
