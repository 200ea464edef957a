#include "render/RenderTool.h"

#include "gl/RenderContext.h"
#include "platform/Error.h"
#include "render/BoxShot.h"
#include "render/CoverScene.h"
#include "render/RenderPlan.h"
#include "render/ShotStage.h"
#include "view/RenderState.h"

#include <filesystem>
#include <new>
#include <ostream>

namespace {

constexpr const char* Program = "plenamar-render: ";

// Draws and writes every picture, box by box, with one context, one target
// and one texture cache for the whole run.
class TBatch {
public:
    TBatch(const TRenderOptions& options, const std::vector<TPictureJob>& jobs, const TFramebufferApi& gl,
           std::ostream& err)
        : Options(options), Boxes(RunBoxes(options)), Jobs(jobs), Err(err), Shooter(gl), Stage(options.Style)
    {
    }

    // Needs the context current. Returns the number of failed pictures.
    size_t Run()
    {
        size_t failed = 0;
        for (size_t first = 0; first < Jobs.size();) {
            size_t end = first;
            while (end < Jobs.size() && Jobs[end].Box == Jobs[first].Box)
                ++end;
            failed += RunBox(first, end);
            first = end;
        }
        return failed;
    }

private:
    // The jobs first to end share one box. Returns how many failed.
    size_t RunBox(size_t first, size_t end)
    {
        const TBoxArtwork& box = Boxes[Jobs[first].Box];
        const std::string& name = ArtworkName(box);
        TShotScene scene;
        try {
            scene = Stage.Scene(ResolveBox(box, Cache));
        } catch (const TError& e) {
            for (size_t i = first; i < end; ++i)
                Report(name, Jobs[i], e.what());
            return end - first;
        }
        size_t failed = 0;
        for (size_t i = first; i < end; ++i) {
            try {
                scene.XRotation = Jobs[i].Pose.XRotation;
                scene.YRotation = Jobs[i].Pose.YRotation;
                const TShotSettings settings{
                    .Width = Options.Width, .Height = Options.Height, .Samples = Options.Samples, .Tile = Options.Tile};
                WriteImageFile(Jobs[i].OutputFile, Jobs[i].Format, settings.Width, settings.Height,
                               Options.Style.Transparent,
                               [&](TPictureRows& rows) { Shooter.Shoot(scene, settings, rows); });
                Report(name, Jobs[i], {});
            } catch (const TError& e) {
                Report(name, Jobs[i], e.what());
                ++failed;
            } catch (const std::bad_alloc&) {
                Report(name, Jobs[i], "not enough memory for a picture of " + std::to_string(Options.Width) +
                                           " x " + std::to_string(Options.Height) + " pixels");
                ++failed;
            }
        }
        return failed;
    }

    void Report(const std::string& box, const TPictureJob& job, const std::string& failure)
    {
        ++Done;
        if (!failure.empty())
            Err << Program << box << ": " << failure << "\n";
        if (Jobs.size() > 1)
            Err << "[" << Done << "/" << Jobs.size() << "] " << (failure.empty() ? "wrote " : "failed ")
                << job.OutputFile << "\n";
        Err.flush();
    }

    const TRenderOptions& Options;
    const std::vector<TBoxArtwork> Boxes;
    const std::vector<TPictureJob>& Jobs;
    std::ostream& Err;
    TTextureCache Cache{Options.Width, Options.Height};
    TBoxShooter Shooter;
    TShotStage Stage;
    size_t Done = 0;
};

} // namespace

int RunRenderTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    TRenderOptions options;
    std::vector<TPictureJob> jobs;
    try {
        options = ParseRenderArguments(args);
        if (options.Help) {
            out << RenderUsage;
            return ExitWritten;
        }
        jobs = PlanPictures(options);
    } catch (const TUsageError& e) {
        err << Program << e.what() << "\nTry 'plenamar-render --help'.\n";
        return ExitUsage;
    }
    if (!options.OutputDir.empty()) {
        std::error_code ignored;  // a folder that cannot be made fails each write
        std::filesystem::create_directories(options.OutputDir, ignored);
    }
    size_t failed = 0;
    try {
        const std::unique_ptr<TRenderContext> context = CreateRenderContext();
        const TFramebufferApi gl =
            TFramebufferApi::Resolve([&](const char* name) { return context->ProcAddress(name); });
        ApplyRenderState();
        TBatch batch(options, jobs, gl, err);
        failed = batch.Run();
    } catch (const TError& e) {
        err << Program << e.what() << "\n";
        return ExitFailed;
    }
    if (failed != 0 && jobs.size() > 1)
        err << Program << failed << " of " << jobs.size() << " pictures failed\n";
    return failed == 0 ? ExitWritten : ExitFailed;
}
