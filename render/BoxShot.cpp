#include "render/BoxShot.h"

#include "platform/Error.h"

#include <algorithm>
#include <new>
#include <vector>

namespace {

// Sums of premultiplied samples over the passes, made into a picture.
template <typename T>
QImage Average(const std::vector<T>& sums, int passes, int width, int height, bool transparent)
{
    QImage image(width, height, transparent ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull())
        throw std::bad_alloc();
    for (int y = 0; y < height; ++y) {
        // GL's rows run bottom-up.
        const T* from = sums.data() + size_t(height - 1 - y) * size_t(width) * 4;
        QRgb* to = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x, from += 4) {
            const uint32_t r = (from[0] + passes / 2) / passes, g = (from[1] + passes / 2) / passes,
                           b = (from[2] + passes / 2) / passes, a = (from[3] + passes / 2) / passes;
            if (!transparent)
                to[x] = qRgb(int(r), int(g), int(b));
            else if (a == 0)
                to[x] = 0;
            else  // back from premultiplied to straight alpha
                to[x] = qRgba(int(std::min(255u, (r * 255 + a / 2) / a)), int(std::min(255u, (g * 255 + a / 2) / a)),
                              int(std::min(255u, (b * 255 + a / 2) / a)), int(a));
        }
    }
    return image;
}

} // namespace

TBoxShooter::TBoxShooter(const TFramebufferApi& gl) : Gl(gl), SampleCounts(TargetSampleCounts(gl)) {}

TBoxShooter::~TBoxShooter() = default;

QImage TBoxShooter::Shoot(const TShotScene& scene, const TShotSettings& settings)
{
    const int width = settings.Width, height = settings.Height;
    const TSamplePlan plan = PlanSamples(settings.Samples, SampleCounts);
    if (!Target || Target->Width() != width || Target->Height() != height ||
        Target->Samples() != plan.SamplesPerPass) {
        Target.reset();
        Target = std::make_unique<TOffscreenTarget>(Gl, width, height, plan.SamplesPerPass);
    }
    const std::optional<TFraming> framing = FrameShot(scene, width, height);
    if (!framing)
        throw TError("the box covers no area in this pose (are its sizes 0?)");

    // At most 64 passes of 255 each: the sums fit 16 bits.
    std::vector<uint8_t> pixels(size_t(width) * size_t(height) * 4);
    std::vector<uint16_t> sums(plan.Passes > 1 ? pixels.size() : 0);
    for (int pass = 0; pass < plan.Passes; ++pass) {
        const TPassOffset offset = PassOffset(pass, plan.Passes);
        const TViewRect f = ShiftedFrustum(*framing, offset.X, offset.Y);
        Target->Bind();
        glViewport(framing->ViewportX, framing->ViewportY, framing->ViewportWidth, framing->ViewportHeight);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glFrustum(f.Left * ViewNear, f.Right * ViewNear, f.Bottom * ViewNear, f.Top * ViewNear, ViewNear, ViewFar);
        DrawShotScene(scene, framing->Frustum);
        Target->Read(pixels.data());
        for (size_t i = 0; i < sums.size(); ++i)
            sums[i] = uint16_t(sums[i] + pixels[i]);
    }
    return plan.Passes > 1 ? Average(sums, plan.Passes, width, height, scene.Style.Transparent)
                           : Average(pixels, 1, width, height, scene.Style.Transparent);
}
