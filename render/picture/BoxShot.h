#pragma once
// One box shot: a framed scene drawn offscreen in tiles, each in as many
// passes as its samples take, and handed on row by row.
//
// What the shooter and the scene agree on: the framing (Framing.h) gives the
// picture's viewport and the view-plane rectangle it shows. The shooter splits
// the picture into tiles (Tiles.h) and each tile into passes (Sampling.h); for
// each it binds its target, sets the viewport and the projection (glFrustum of
// the tile's part of that rectangle, from ViewNear to ViewFar; the matrix mode
// is left at GL_PROJECTION) and calls the scene's drawer; the viewport may
// cover only part of the target. The drawer clears the whole target, draws
// the scene with whatever modelview and state it needs and leaves the
// projection alone; the colours it leaves are premultiplied by their alpha,
// a transparent picture clearing to 0, 0, 0, 0.
#include "render/framing/Framing.h"
#include "render/picture/OffscreenTarget.h"
#include "render/picture/PictureRows.h"
#include "render/picture/Tiles.h"
#include "render/scene/ShotScene.h"

#include <QImage>
#include <functional>
#include <memory>
#include <vector>

struct TSamplePlan;

struct TShotSettings {
    int Width = 1150;
    int Height = 880;
    int Samples = 8;
    bool Transparent = false;    // straight alpha from colours premultiplied over alpha 0
    int Tile = DefaultTileSide;  // the largest tile side; the GL's limits bound it too
    // The most bytes a row of tiles takes as picture rows (Tiles.h).
    size_t TileRowBytes = TileRowBound;
    // Several samples a pixel are taken where a draft of one sample shows
    // contrast (Sampling.h); without a draft, everywhere. A box drawn through
    // cut-outs covers a share of each pixel's samples that one sample does
    // not show, and takes none.
    bool Draft = true;
};

// Draws the scene with the projection set; see above.
using TSceneDrawer = std::function<void()>;

class TBoxShooter {
public:
    // Needs the rendering context current and the render state applied.
    explicit TBoxShooter(const TFramebufferApi& gl);
    ~TBoxShooter();

    // The picture of the framing's scene, drawn by draw, into rows: exactly
    // the samples asked for, in as many passes as that takes. Raises TError
    // when the target cannot be made, and passes on what rows raises.
    void Shoot(const TFraming& framing, const TShotSettings& settings, const TSceneDrawer& draw,
               TPictureRows& rows);

    // The same for a shot's scene (ShotScene.h), framed by FrameShot;
    // transparent when its style is. Raises TError when the scene covers no
    // area.
    void Shoot(const TShotScene& scene, const TShotSettings& settings, TPictureRows& rows);

    // The same framed by framing: one that a spin's frames share, say.
    void Shoot(const TShotScene& scene, const TFraming& framing, const TShotSettings& settings, TPictureRows& rows);

    // That picture in memory: opaque (RGB32), or with straight alpha (ARGB32)
    // when transparent.
    QImage Shoot(const TShotScene& scene, const TShotSettings& settings);

private:
    // target made width x height with samples a pixel, unless it is already.
    void PrepareTarget(std::unique_ptr<TOffscreenTarget>& target, int width, int height, int samples);
    // The passes of a tile drawn as `drawn` (the tile, and a pixel around it
    // when drafted, within the picture), over the bounds of the pixels that
    // Marks_ marks, whose average replaces their draft in First_.
    void Sample(const TFraming& framing, int pictureHeight, const TPixelRect& drawn, const TSamplePlan& plan,
                const TSceneDrawer& draw);

    const TFramebufferApi& Gl_;
    const std::vector<int> SampleCounts_;       // what one pass can hold here
    std::unique_ptr<TOffscreenTarget> Draft_;   // one sample a pixel
    std::unique_ptr<TOffscreenTarget> Target_;  // the samples of a pass
    // One tile's first pass and a later one as read back, the marks of the
    // pixels that take the later passes, the sums of the passes, and one row
    // of tiles made into rows: kept from shot to shot, so a batch does not
    // ask the system for fresh memory each time.
    std::vector<uint8_t> First_, Pass_;
    std::vector<uint32_t> Marks_;
    std::vector<uint16_t> Sums_;
    std::vector<uint32_t> Strip_;
};
