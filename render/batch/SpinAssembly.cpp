#include "render/batch/SpinAssembly.h"

#include "platform/Error.h"
#include "render/picture/SpinFrames.h"

#include <filesystem>
#include <unistd.h>

TSpinAssembly::TSpinAssembly(const std::vector<TRunBox>& boxes, std::vector<TPictureJob>& jobs)
    : Boxes_(boxes), Jobs_(jobs)
{
    for (size_t i = 0; i < jobs.size(); ++i) {
        TPictureJob& job = jobs[i];
        if (!IsAnimationFrame(job))
            continue;
        if (job.Frame == 0 || Spins_.empty() || Spins_.back().End != i)
            Spins_.push_back({i, i});
        ++Spins_.back().End;
        SpinOfJob_[i] = Spins_.size() - 1;
        const std::filesystem::path file(job.OutputFile);
        job.FrameFile = (file.parent_path() / ("." + file.filename().string() + "." + std::to_string(getpid()) +
                                               "." + std::to_string(job.Frame) + ".frame"))
                            .string();
    }
}

TSpinAssembly::~TSpinAssembly()
{
    for (const TSpin& spin : Spins_)
        if (spin.Reported < spin.End - spin.First)
            RemoveFrames(spin);
}

std::string TSpinAssembly::Done(size_t job, const std::string& failure)
{
    const auto found = SpinOfJob_.find(job);
    if (found == SpinOfJob_.end())
        return failure;
    TSpin& spin = Spins_[found->second];
    spin.Failed = spin.Failed || !failure.empty();
    if (++spin.Reported < spin.End - spin.First)
        return failure;
    std::string reported = failure;
    if (!spin.Failed) {
        const TPictureJob& last = Jobs_[spin.End - 1];
        const TRenderOptions& options = Boxes_[last.Box].Options;
        std::vector<std::string> frames;
        for (size_t i = spin.First; i < spin.End; ++i)
            frames.push_back(Jobs_[i].FrameFile);
        try {
            WriteSpinFile(last.OutputFile, frames, options.Width, options.Height, options.Quality, options.Spin.Fps);
        } catch (const TError& e) {
            reported = e.what();
        } catch (const std::bad_alloc&) {
            reported = "not enough memory to make " + last.OutputFile;
        }
    }
    RemoveFrames(spin);
    return reported;
}

void TSpinAssembly::RemoveFrames(const TSpin& spin) const
{
    for (size_t i = spin.First; i < spin.End; ++i) {
        std::error_code ignored;
        std::filesystem::remove(Jobs_[i].FrameFile, ignored);
    }
}
