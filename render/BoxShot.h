#pragma once
// One box shot: the window's frame drawn offscreen at the picture's size,
// framed on the box (Framing.h) and antialiased with the samples asked for.
#include "render/OffscreenTarget.h"
#include "view/BoxGeometry.h"
#include "view/Frame.h"

#include <QImage>
#include <memory>

struct TShotSettings {
    int Width = 1150;
    int Height = 880;
    int Samples = 8;
    bool Transparent = false;        // background alpha 0
    uint32_t Background = 0xFFFFFF;  // 0xRRGGBB, when not transparent
};

// How many passes of how many samples make `samples` when a target can hold
// at most `maxSamples`: the passes are averaged, each moved by a fraction of
// a pixel so that their samples fall between those of the others.
struct TSamplePlan {
    int Passes = 1;
    int SamplesPerPass = 1;
};
TSamplePlan PlanSamples(int samples, int maxSamples);

class TBoxShooter {
public:
    // Needs the rendering context current and the render state applied.
    explicit TBoxShooter(const TFramebufferApi& gl);
    ~TBoxShooter();

    // The picture of the scene, whose geometry list was compiled from quads:
    // opaque (RGB32), or with straight alpha (ARGB32) when transparent.
    // Raises TError when the scene covers no area or the target cannot be made.
    QImage Shoot(const TFrameScene& scene, const std::vector<TBoxQuad>& quads, const TShotSettings& settings);

private:
    const TFramebufferApi& Gl;
    std::unique_ptr<TOffscreenTarget> Target;  // kept while the size stays
};
