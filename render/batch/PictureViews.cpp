#include "render/batch/PictureViews.h"

#include "render/scene/ShotStage.h"

namespace {

// The turns of every frame of the spin from the pose.
std::vector<std::pair<float, float>> SpinTurns(const TPose& pose, const TSpin& spin)
{
    std::vector<std::pair<float, float>> turns;
    for (int frame = 0; frame < SpinFrameCount(spin); ++frame) {
        const TPose turned = SpinPose(pose, spin, frame);
        turns.emplace_back(turned.XRotation, turned.YRotation);
    }
    return turns;
}

// The pose a picture job draws: its own, or its spin frame's.
TPose JobPose(const TPictureJob& job, const TSpin& spin)
{
    return job.Frame == NoFrame ? job.Pose : SpinPose(job.Pose, spin, job.Frame);
}

} // namespace

std::optional<TFraming> TJobFramer::Frame(TShotScene& scene, const TPictureJob& job, const TRenderOptions& options)
{
    const TPose pose = JobPose(job, options.Spin);
    scene.XRotation = pose.XRotation;
    scene.YRotation = pose.YRotation;
    if (job.Frame == NoFrame)
        return FrameShot(scene, options.Width, options.Height);
    if (SpinFrom_ != std::pair(job.Pose.XRotation, job.Pose.YRotation)) {
        SpinFrom_ = {job.Pose.XRotation, job.Pose.YRotation};
        SpinFraming_ = FrameShot(scene, SpinTurns(job.Pose, options.Spin), options.Width, options.Height);
    }
    return SpinFraming_;
}

std::optional<TFaceNeeds> ShownNeeds(const TBoxPlan& plan, std::span<const TPictureJob> jobs,
                                     const TRenderOptions& options)
{
    if (plan.AutoSize)
        return std::nullopt;
    // A jewel case's shape depends on whether its back image is a tray
    // card, which only the image tells: enough for either.
    std::optional<TFaceNeeds> needs;
    for (const bool trayCard : {false, true}) {
        const TBoxSetup draft{
            .Box = plan.Box, .ShowBackground = plan.ShowBackground, .Size = plan.Size,
            .Shape = PlannedShape(plan, plan.Size, trayCard)};
        if (needs && draft.Shape == PlannedShape(plan, plan.Size, false))
            break;
        TShotScene scene = PlannedScene(options.Style, draft);
        TJobFramer framer;
        std::vector<TShapeView> views;
        for (const TPictureJob& job : jobs) {
            if (job.Kind != TJobKind::Picture)
                continue;
            const std::optional<TFraming> framing = framer.Frame(scene, job, options);
            if (!framing)
                continue;  // a picture that fails to be drawn
            const TGround ground = ShownGround(scene);
            views.push_back({.XRotation = scene.XRotation,
                             .YRotation = scene.YRotation,
                             .PixelsPerUnit = framing->ViewportWidth / framing->Frustum.Width(),
                             .MirrorY = ground.ReflectionReach > 0.0 ? std::optional(ground.Y) : std::nullopt});
        }
        const TFaceNeeds shown = FaceImageNeeds(draft.Shape, views);
        needs = needs ? Larger(*needs, shown) : shown;
    }
    return needs;
}
