#include "render/RenderTool.h"

#include "platform/Error.h"
#include "platform/PrintableText.h"
#include "platform/UsableCpus.h"
#include "render/batch/KeepNewer.h"
#include "render/batch/PictureDrawer.h"
#include "render/batch/Progress.h"
#include "render/batch/RenderPlan.h"
#include "render/batch/Shard.h"
#include "render/batch/SpinAssembly.h"
#include "render/batch/StopSignal.h"
#include "render/batch/Workers.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <unistd.h>

namespace {

constexpr const char* Program = "plenamar-render: ";
// A list beyond this is surely no list of boxes.
constexpr std::streamsize MaxListBytes = std::streamsize(256) << 20;

TItemList ReadListFile(const std::string& fileName)
{
    std::ifstream file(fileName, std::ios::binary);
    std::string text;
    char chunk[65536];
    while (file && text.size() <= size_t(MaxListBytes)) {
        file.read(chunk, sizeof chunk);
        text.append(chunk, size_t(file.gcount()));
    }
    if (!file && !file.eof())
        throw TUsageError("cannot read the list " + fileName + ": " + std::strerror(errno ? errno : EIO));
    if (text.size() > size_t(MaxListBytes))
        throw TUsageError("the list " + fileName + " is larger than 256 MiB");
    try {
        return ReadItemList(text);
    } catch (const TUsageError& e) {
        throw TUsageError(fileName + " " + e.what());
    }
}

// The run as planned from the arguments: every box and picture, and the
// shard of them this run draws.
struct TRun {
    TRenderOptions Options;
    std::vector<TRunBox> Boxes;
    std::vector<TPictureJob> Jobs;
    TShard Shard;
};

TRun PlanRun(const std::vector<std::string>& args)
{
    TRun run;
    run.Options = ParseRenderArguments(args);
    if (run.Options.Help)
        return run;
    run.Shard = run.Options.ShardAuto ? AutoShard(run.Options.ShardCount, std::getenv)
                                      : run.Options.Shard.value_or(TShard{});
    run.Boxes = run.Options.ListFile.empty() ? RunBoxes(run.Options)
                                             : ListBoxes(run.Options, ReadListFile(run.Options.ListFile));
    run.Jobs = PlanPictures(run.Boxes, run.Options);
    return run;
}

// Makes the folder the file goes in, unless it is there; says why it cannot.
std::string MakeFolderOf(const std::string& file)
{
    const std::filesystem::path folder = std::filesystem::path(file).parent_path();
    std::error_code error;
    if (folder.empty() || std::filesystem::is_directory(folder, error) ||
        std::filesystem::create_directories(folder, error))
        return {};
    return "cannot make the folder " + folder.string() + ": " + error.message();
}

// The shard's pictures still to draw, with their folders made; the others
// are counted as skipped, and the shard's boxes that cannot be drawn, and
// pictures whose folder cannot be made, as failed.
std::vector<TPictureJob> PicturesToDraw(const TRun& run, TProgress& progress)
{
    for (size_t b = 0; b < run.Boxes.size(); ++b)
        if (InShard(b, run.Shard) && !run.Boxes[b].Problem.empty())
            progress.BoxFailed(run.Boxes[b].Label, run.Boxes[b].Problem);
    std::vector<TPictureJob> draw;
    std::vector<std::string> inputs;
    for (size_t i = 0; i < run.Jobs.size(); ++i) {
        const TPictureJob& job = run.Jobs[i];
        if (!InShard(job.Box, run.Shard))
            continue;
        if (const std::string problem = MakeFolderOf(job.OutputFile); !problem.empty()) {
            progress.Drawn(run.Boxes[job.Box].Label, job.OutputFile, problem);
            continue;
        }
        if (run.Options.KeepNewer) {
            if (i == 0 || run.Jobs[i - 1].Box != job.Box)
                inputs = BoxInputs(run.Boxes[job.Box].Artwork);
            if (IsNewerThanAll(job.OutputFile, inputs)) {
                progress.Skipped(job.OutputFile);
                continue;
            }
        }
        draw.push_back(job);
    }
    return draw;
}

size_t ShardSize(const TRun& run)
{
    size_t count = 0;
    for (size_t b = 0; b < run.Boxes.size(); ++b)
        count += InShard(b, run.Shard) && !run.Boxes[b].Problem.empty();
    for (const TPictureJob& job : run.Jobs)
        count += InShard(job.Box, run.Shard);
    return count;
}

} // namespace

int RunRenderTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    TRun run;
    try {
        run = PlanRun(args);
        if (run.Options.Help) {
            out << RenderUsage();
            return ExitWritten;
        }
    } catch (const TUsageError& e) {
        err << Program << Printable(e.what()) << "\nTry 'plenamar-render --help'.\n";
        return ExitUsage;
    }
    CatchStopSignals();
    TProgress progress(err, ShardSize(run), isatty(STDERR_FILENO) == 1);
    std::vector<TPictureJob> jobs = PicturesToDraw(run, progress);
    TSpinAssembly spins(run.Boxes, jobs);
    const auto done = [&](size_t i, const std::string& failure) {
        const TPictureJob& job = jobs[i];
        const std::string reported = spins.Done(i, failure);
        progress.Drawn(run.Boxes[job.Box].Label,
                       (IsAnimationFrame(job) ? "frame " + std::to_string(job.Frame) + " of " : "") + job.OutputFile,
                       reported);
    };
    const int wanted = run.Options.Jobs > 0 ? run.Options.Jobs : UsableCpus();
    const std::vector<std::pair<size_t, size_t>> groups = BoxGroups(jobs, wanted);
    const int workers = std::min<int>(wanted, int(groups.size()));
    try {
        if (workers > 1) {
            DrawInWorkers(run.Boxes, jobs, groups, workers, done);
        } else if (!groups.empty()) {
            TPictureDrawer drawer(run.Boxes, jobs);
            for (const auto& [first, end] : groups)
                drawer.DrawBox(first, end, done);
        }
    } catch (const TError& e) {
        err << Program << Printable(e.what()) << "\n";
        return ExitFailed;
    } catch (const TStopped&) {
    }
    progress.Finish(StopRequested());
    if (StopRequested() != 0)
        return 128 + StopRequested();
    return progress.Failed() == 0 ? ExitWritten : ExitFailed;
}
