#include "render/options/Spin.h"

#include <cmath>
#include <numbers>

int SpinFrameCount(const TSpin& spin)
{
    return spin.Frames > 0 || spin.Swing <= 0.0 ? spin.Frames : DefaultSwingFrames;
}

TPose SpinPose(const TPose& pose, const TSpin& spin, int frame)
{
    const double share = double(frame) / double(SpinFrameCount(spin));
    const double turn = spin.Swing > 0.0 ? spin.Swing * std::sin(2.0 * std::numbers::pi * share) : 360.0 * share;
    return {pose.Name, pose.XRotation, float(double(pose.YRotation) + turn)};
}
