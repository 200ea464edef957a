#include "render/picture/BoxShot.h"

#include "platform/Error.h"
#include "render/picture/Sampling.h"
#include "render/picture/TilePixels.h"
#include "render/picture/Tiles.h"
#include "view/ViewCamera.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

// Draws the scene into the bound target through one tile's view.
void DrawView(const TTileView& view, const TSceneDrawer& draw)
{
    const TViewRect& f = view.Frustum;
    glViewport(view.ViewportX, view.ViewportY, view.ViewportWidth, view.ViewportHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(f.Left * ViewNear, f.Right * ViewNear, f.Bottom * ViewNear, f.Top * ViewNear, ViewNear, ViewFar);
    draw();
}

// The rows straight into a picture in memory.
class TImageRows : public TPictureRows {
public:
    explicit TImageRows(QImage& image) : Image_(image) {}

    void Put(int first, int count, const uint32_t* rows) override
    {
        const size_t bytes = size_t(Image_.width()) * 4;
        for (int y = 0; y < count; ++y)
            std::memcpy(Image_.scanLine(first + y), rows + size_t(y) * size_t(Image_.width()), bytes);
    }

private:
    QImage& Image_;
};

} // namespace

TBoxShooter::TBoxShooter(const TFramebufferApi& gl) : Gl_(gl), SampleCounts_(TargetSampleCounts(gl)) {}

TBoxShooter::~TBoxShooter() = default;

void TBoxShooter::PrepareTarget(int width, int height, int samples)
{
    if (Target_ && Target_->Width() == width && Target_->Height() == height && Target_->Samples() == samples)
        return;
    Target_.reset();
    try {
        Target_ = std::make_unique<TOffscreenTarget>(Gl_, width, height, samples);
    } catch (const TError& e) {
        std::string counts;
        for (const int count : SampleCounts_)
            counts += (counts.empty() ? "" : ", ") + std::to_string(count);
        throw TError(std::string(e.what()) + " (one pass holds " + counts +
                     " samples here; smaller tiles take less memory)");
    }
}

void TBoxShooter::Shoot(const TFraming& framing, const TShotSettings& settings, const TSceneDrawer& draw,
                        TPictureRows& rows)
{
    const int width = settings.Width, height = settings.Height;
    const TSamplePlan plan = PlanSamples(settings.Samples, SampleCounts_);
    const int side = std::clamp(settings.Tile, 1, LargestTarget());
    const int tileWidth = std::min(side, width), tileHeight = std::min(side, height);
    PrepareTarget(tileWidth, tileHeight, plan.SamplesPerPass);

    // At most 64 passes of 255 each: the sums fit 16 bits.
    Pass_.resize(size_t(tileWidth) * size_t(tileHeight) * 4);
    Sums_.resize(plan.Passes > 1 ? Pass_.size() : 0);
    Strip_.resize(size_t(width) * size_t(tileHeight));
    const std::vector<uint8_t> average = AverageTable(plan.Passes);
    for (const TPixelRect& tile : PictureTiles(width, height, side)) {
        std::fill(Sums_.begin(), Sums_.end(), uint16_t(0));
        for (int p = 0; p < plan.Passes; ++p) {
            const TPassOffset offset = PassOffset(p, plan.Passes);
            Target_->Bind();
            DrawView(TileView(framing, height, tile, offset.X, offset.Y), draw);
            Target_->Read(tile.Width, tile.Height, Pass_.data());
            if (plan.Passes > 1)
                AddPass(Pass_.data(), size_t(tile.Width) * size_t(tile.Height) * 4, Sums_.data());
        }
        uint32_t* to = Strip_.data() + tile.X;
        if (plan.Passes > 1)
            StoreTile(Sums_.data(), average, tile.Width, tile.Height, settings.Transparent, to, size_t(width));
        else
            StoreTile(Pass_.data(), tile.Width, tile.Height, settings.Transparent, to, size_t(width));
        if (tile.X + tile.Width == width)
            rows.Put(tile.Y, tile.Height, Strip_.data());
    }
}

void TBoxShooter::Shoot(const TShotScene& scene, const TShotSettings& settings, TPictureRows& rows)
{
    const std::optional<TFraming> framing = FrameShot(scene, settings.Width, settings.Height);
    if (!framing)
        throw TError("the box covers no area in this pose (are its sizes 0?)");
    TShotSettings shot = settings;
    shot.Transparent = scene.Style.Transparent;
    Shoot(*framing, shot, [&] { DrawShotScene(scene, framing->Frustum); }, rows);
}

QImage TBoxShooter::Shoot(const TShotScene& scene, const TShotSettings& settings)
{
    QImage image(settings.Width, settings.Height,
                 scene.Style.Transparent ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull())
        throw std::bad_alloc();
    TImageRows rows(image);
    Shoot(scene, settings, rows);
    return image;
}
