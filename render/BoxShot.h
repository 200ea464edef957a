#pragma once
// One box shot: the window's frame drawn offscreen at the picture's size,
// framed on the box (Framing.h) and antialiased with the samples asked for.
#include "render/OffscreenTarget.h"
#include "render/Sampling.h"
#include "view/BoxGeometry.h"
#include "view/Frame.h"

#include <QImage>
#include <memory>
#include <vector>

struct TShotSettings {
    int Width = 1150;
    int Height = 880;
    int Samples = 8;
    bool Transparent = false;        // background alpha 0
    uint32_t Background = 0xFFFFFF;  // 0xRRGGBB, when not transparent
};

class TBoxShooter {
public:
    // Needs the rendering context current and the render state applied.
    explicit TBoxShooter(const TFramebufferApi& gl);
    ~TBoxShooter();

    // The picture of the scene, whose geometry list was compiled from quads:
    // opaque (RGB32), or with straight alpha (ARGB32) when transparent; the
    // scene's clear colour is the settings' background. Exactly the samples
    // asked for, in as many passes as that takes (Sampling.h). Raises TError
    // when the scene covers no area or the target cannot be made.
    QImage Shoot(const TFrameScene& scene, const std::vector<TBoxQuad>& quads, const TShotSettings& settings);

private:
    const TFramebufferApi& Gl;
    const std::vector<int> SampleCounts;       // what one pass can hold here
    std::unique_ptr<TOffscreenTarget> Target;  // kept while the size stays
};
