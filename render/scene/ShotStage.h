#pragma once
// The GL objects that the scenes of one run draw with: each box's list and
// shadow map, made anew for each box, and the two fades and the page lines,
// made once.
#include "render/artwork/CoverScene.h"
#include "render/scene/ShotScene.h"

// The scene of the box at the angles 0, 0 in the style, without its GL
// objects: what a picture of it frames, before its images are read (the
// textures and the shape's sizes may stand in for those still to come).
TShotScene PlannedScene(const TShotStyle& style, const TBoxSetup& setup);

class TShotStage {
public:
    // Needs the rendering context current, as every call does.
    explicit TShotStage(const TShotStyle& style);
    ~TShotStage();
    TShotStage(const TShotStage&) = delete;
    TShotStage& operator=(const TShotStage&) = delete;

    // The scene of the box at the angles 0, 0, compiled for the style's
    // look; it stays drawable until the next call.
    TShotScene Scene(const TBoxSetup& setup);

private:
    const TShotStyle Style_;
    GLuint List_ = 0, Shadow_ = 0, FloorFade_ = 0, ReflectionFade_ = 0, Lines_ = 0;
    TGround ShadowGround_;  // the ground Shadow_ was made for
};
