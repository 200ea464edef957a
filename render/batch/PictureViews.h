#pragma once
// What the pictures of a box show of it: each picture job's pose and
// framing, and from them the detail each face image needs, worked out from
// the box's plan before its images are read.
#include "render/artwork/BoxPlan.h"
#include "render/artwork/TextureDetail.h"
#include "render/batch/RenderPlan.h"
#include "render/scene/ShotScene.h"

#include <optional>
#include <span>
#include <utility>
#include <vector>

// The framings of the picture jobs of one box, in the order they are drawn:
// a still's own, and for a spin's frames the one that all the frames of the
// spin share, worked out once for them.
class TJobFramer {
public:
    // Turns the scene to the job's pose (JobPose) and gives the framing of
    // the job's picture of it; nothing when the box covers no area.
    std::optional<TFraming> Frame(TShotScene& scene, const TPictureJob& job, const TRenderOptions& options);

private:
    std::optional<std::pair<float, float>> SpinFrom_;  // the pose of the spin framed last
    std::optional<TFraming> SpinFraming_;
};

// What each face of the plan's box needs in the pictures that the jobs
// (all of that box) draw of it in the options' style and size: their poses,
// their framings, and the reflection where it shows; a tile or a pass of
// samples shows the same detail as the whole picture. Nothing, for images
// read for any picture, when the box takes its sizes from its images.
std::optional<TFaceNeeds> ShownNeeds(const TBoxPlan& plan, std::span<const TPictureJob> jobs,
                                     const TRenderOptions& options);
