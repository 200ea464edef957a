#pragma once
// One box shot: the scene (ShotScene.h) drawn offscreen at the picture's
// size, framed on the box, and antialiased with the samples asked for.
#include "render/OffscreenTarget.h"
#include "render/Sampling.h"
#include "render/ShotScene.h"

#include <QImage>
#include <memory>
#include <vector>

struct TShotSettings {
    int Width = 1150;
    int Height = 880;
    int Samples = 8;
};

class TBoxShooter {
public:
    // Needs the rendering context current and the render state applied.
    explicit TBoxShooter(const TFramebufferApi& gl);
    ~TBoxShooter();

    // The picture of the scene: opaque (RGB32), or with straight alpha
    // (ARGB32) when the scene's style is transparent. Exactly the samples
    // asked for, in as many passes as that takes (Sampling.h). Raises TError
    // when the scene covers no area or the target cannot be made.
    QImage Shoot(const TShotScene& scene, const TShotSettings& settings);

private:
    const TFramebufferApi& Gl;
    const std::vector<int> SampleCounts;       // what one pass can hold here
    std::unique_ptr<TOffscreenTarget> Target;  // kept while the size stays
};
