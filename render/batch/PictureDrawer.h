#pragma once
// Draws and writes a run's pictures, box by box, with one context, one target
// and one texture cache for all of them. It lives in the process that draws:
// the tool itself, or each of its workers (Workers.h).
#include "render/batch/RenderPlan.h"

#include <functional>
#include <memory>

// Told of each picture as it is done: its index into the jobs, and why it
// failed, or nothing when it was written.
using TPictureDone = std::function<void(size_t job, const std::string& failure)>;

class TPictureDrawer {
public:
    // Makes the rendering context. Raises TError when it cannot be made.
    TPictureDrawer(const std::vector<TRunBox>& boxes, const std::vector<TPictureJob>& jobs);
    ~TPictureDrawer();

    // Draws the jobs first to end, which share one box. Raises TStopped
    // (StopSignal.h) when a stop is asked for, with the picture being drawn
    // left unwritten and unreported.
    void DrawBox(size_t first, size_t end, const TPictureDone& done);

private:
    struct TState;
    const std::vector<TRunBox>& Boxes_;
    const std::vector<TPictureJob>& Jobs_;
    std::unique_ptr<TState> State_;
};

// The ends of each box's run of jobs: jobs[first, end) share a box.
std::vector<std::pair<size_t, size_t>> BoxGroups(const std::vector<TPictureJob>& jobs);
