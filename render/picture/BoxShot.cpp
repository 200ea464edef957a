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

void TBoxShooter::PrepareTarget(std::unique_ptr<TOffscreenTarget>& target, int width, int height, int samples)
{
    if (target && target->Width() == width && target->Height() == height && target->Samples() == samples)
        return;
    target.reset();
    try {
        target = std::make_unique<TOffscreenTarget>(Gl_, width, height, samples);
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
    // A picture of more than one sample a pixel is drafted with one, unless
    // the settings say otherwise, and the samples are taken where the draft
    // asks for them; a drafted tile is drawn with a pixel around it, so that
    // its edge pixels see their neighbours as the untiled picture does.
    const bool sampled = plan.Passes * plan.SamplesPerPass > 1, drafted = sampled && settings.Draft;
    const int apron = drafted ? 1 : 0;
    const int side = std::clamp(settings.Tile, 1, std::max(LargestTarget() - 2 * apron, 1));
    const int tileWidth = std::min(side, width),
              tileHeight = std::min(TileHeight(width, side, settings.TileRowBytes), height);
    const int targetWidth = std::min(tileWidth + 2 * apron, width), targetHeight = std::min(tileHeight + 2 * apron, height);
    if (!sampled || drafted)
        PrepareTarget(Draft_, targetWidth, targetHeight, 1);
    First_.resize(size_t(targetWidth) * size_t(targetHeight) * 4);
    Strip_.resize(size_t(width) * size_t(tileHeight));
    for (const TPixelRect& tile : PictureTiles(width, height, tileWidth, tileHeight)) {
        const int left = std::max(tile.X - apron, 0), top = std::max(tile.Y - apron, 0);
        const TPixelRect drawn{left, top, std::min(tile.X + tile.Width + apron, width) - left,
                               std::min(tile.Y + tile.Height + apron, height) - top};
        // The tile within what is drawn, rows counted from the bottom.
        const TPixelRect inner{tile.X - drawn.X, drawn.Y + drawn.Height - tile.Y - tile.Height, tile.Width,
                               tile.Height};
        if (!sampled || drafted) {
            Draft_->Bind();
            DrawView(TileView(framing, height, drawn), draw);
            Draft_->Read({0, 0, drawn.Width, drawn.Height}, size_t(drawn.Width), First_.data());
        }
        if (drafted)
            MarkContrast(First_.data(), drawn.Width, drawn.Height, inner, EdgeContrast, Marks_);
        else if (sampled)
            Marks_.assign(size_t(drawn.Width) * size_t(drawn.Height), Marked);
        if (sampled)
            Sample(framing, height, drawn, plan, draw);
        const uint8_t* own = First_.data() + (size_t(inner.Y) * size_t(drawn.Width) + size_t(inner.X)) * 4;
        StoreTile(own, size_t(drawn.Width), tile.Width, tile.Height, settings.Transparent, Strip_.data() + tile.X,
                  size_t(width));
        if (tile.X + tile.Width == width)
            rows.Put(tile.Y, tile.Height, Strip_.data());
    }
}

void TBoxShooter::Sample(const TFraming& framing, int pictureHeight, const TPixelRect& drawn, const TSamplePlan& plan,
                         const TSceneDrawer& draw)
{
    const size_t width = size_t(drawn.Width);
    const TPixelRect bounds = MarkedBounds(Marks_, drawn.Width);
    if (bounds.Width == 0)
        return;
    // The passes draw the bounds alone, as a tile of their own, into a target
    // of about their size (whole clears cost little; a clear of part of a
    // target is drawn, sample by sample). The pixels of the bounds are
    // summed, of which only the marked ones count.
    const TPixelRect part{drawn.X + bounds.X, drawn.Y + drawn.Height - bounds.Y - bounds.Height, bounds.Width,
                          bounds.Height};
    const size_t columns = size_t(bounds.Width);
    const auto rounded = [](int pixels, int most) { return std::min((pixels + 63) / 64 * 64, most); };
    PrepareTarget(Target_, rounded(bounds.Width, drawn.Width), rounded(bounds.Height, drawn.Height),
                  plan.SamplesPerPass);
    // At most 64 passes of 255 each: the sums fit 16 bits.
    Sums_.assign(columns * size_t(bounds.Height) * 4, 0);
    Pass_.resize(Sums_.size());
    const auto marksOf = [&](int y) { return Marks_.data() + size_t(bounds.Y + y) * width + size_t(bounds.X); };
    for (int p = 0; p < plan.Passes; ++p) {
        const TPassOffset shift = PassOffset(p, plan.Passes);
        Target_->Bind();
        DrawView(TileView(framing, pictureHeight, part, shift.X, shift.Y), draw);
        Target_->Read({0, 0, bounds.Width, bounds.Height}, columns, Pass_.data());
        for (int y = 0; y < bounds.Height; ++y)
            AddMarkedPass(Pass_.data() + size_t(y) * columns * 4, marksOf(y), columns,
                          Sums_.data() + size_t(y) * columns * 4);
    }
    const std::vector<uint8_t> average = AverageTable(plan.Passes);
    for (int y = 0; y < bounds.Height; ++y)
        AverageMarked(Sums_.data() + size_t(y) * columns * 4, average, marksOf(y), columns,
                      First_.data() + (size_t(bounds.Y + y) * width + size_t(bounds.X)) * 4);
}

void TBoxShooter::Shoot(const TShotScene& scene, const TShotSettings& settings, TPictureRows& rows)
{
    const std::optional<TFraming> framing = FrameShot(scene, settings.Width, settings.Height);
    if (!framing)
        throw TError("the box covers no area in this pose (are its sizes 0?)");
    Shoot(scene, *framing, settings, rows);
}

void TBoxShooter::Shoot(const TShotScene& scene, const TFraming& framing, const TShotSettings& settings,
                        TPictureRows& rows)
{
    TShotSettings shot = settings;
    shot.Transparent = scene.Style.Transparent;
    shot.Draft = !scene.CutOut;
    Shoot(framing, shot, [&] { DrawShotScene(scene, framing.Frustum); }, rows);
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
