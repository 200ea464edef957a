#pragma once
// A spin: frames of the box turning on its own vertical axis from a pose, as
// on a turntable in front of a still camera; one full turn, or a swing that
// rocks it either way and back. Its last frame leads back to its first, so
// that it loops without a seam.
#include <string>

// A pose of the box: the two rotation angles and the name it gives output files.
struct TPose {
    std::string Name;  // "preset2", "x31.5_y-45"
    float XRotation = 0.0f;
    float YRotation = 0.0f;
};

struct TSpin {
    int Frames = 0;      // --spin N; 0: a still picture (or a swing's default)
    double Swing = 0.0;  // --swing DEG, either way; 0: a full turn
    double Fps = 25.0;   // --fps
};

// The frames of a swing given no --spin N, and the most frames of a spin.
constexpr int DefaultSwingFrames = 36;
constexpr int MaxSpinFrames = 100000;
constexpr double MaxSwing = 180.0;
constexpr double MaxFps = 100.0;

// How many frames the spin draws; 0 for a still picture.
int SpinFrameCount(const TSpin& spin);

// The pose of frame `frame` (0 to SpinFrameCount - 1), named as the pose:
// turned by frame / count of a full turn, or by the swing's angle times the
// sine of that share of a full circle.
TPose SpinPose(const TPose& pose, const TSpin& spin, int frame);
