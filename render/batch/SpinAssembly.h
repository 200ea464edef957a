#pragma once
// The animated WebPs of a run's spins. Each frame of one (IsAnimationFrame)
// is drawn, in whichever process, into a frame file of its own, hidden
// beside the WebP and named for this process; when the last of a spin's
// frames is reported, this process makes the WebP of them all in order
// (SpinFrames.h), so the file is the same however many workers drew them.
// The frame files are removed then, and any left when the run ends.
#include "render/batch/RenderPlan.h"

#include <map>
#include <string>
#include <vector>

class TSpinAssembly {
public:
    // Gives the jobs' animation frames their frame files.
    TSpinAssembly(const std::vector<TRunBox>& boxes, std::vector<TPictureJob>& jobs);
    ~TSpinAssembly();
    TSpinAssembly(const TSpinAssembly&) = delete;
    TSpinAssembly& operator=(const TSpinAssembly&) = delete;

    // The job is done: failed for the reason, or written when failure is
    // empty. Returns what to report for it: its failure; or, when it is the
    // last frame of a spin whose frames were all written, why the WebP could
    // not be made, if it could not.
    std::string Done(size_t job, const std::string& failure);

private:
    struct TSpin {
        size_t First = 0, End = 0;  // its frames' jobs
        size_t Reported = 0;
        bool Failed = false;
    };

    void RemoveFrames(const TSpin& spin) const;

    const std::vector<TRunBox>& Boxes_;
    const std::vector<TPictureJob>& Jobs_;
    std::vector<TSpin> Spins_;
    std::map<size_t, size_t> SpinOfJob_;
};
