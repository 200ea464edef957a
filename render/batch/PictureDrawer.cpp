#include "render/batch/PictureDrawer.h"

#include "gl/RenderContext.h"
#include "platform/Error.h"
#include "render/picture/BoxShot.h"
#include "render/picture/SpinFrames.h"
#include "render/artwork/CoverScene.h"
#include "render/scene/ShotStage.h"
#include "render/batch/ModelJobs.h"
#include "render/batch/PictureViews.h"
#include "render/batch/StopSignal.h"
#include "view/RenderState.h"

#include <algorithm>
#include <new>
#include <optional>

struct TPictureDrawer::TState {
    std::unique_ptr<TRenderContext> Context = CreateRenderContext();
    TFramebufferApi Gl = TFramebufferApi::Resolve([this](const char* name) { return Context->ProcAddress(name); });
    std::optional<TTextureCache> Cache;  // for pictures of the size of the box drawn last
    TBoxShooter Shooter{(ApplyRenderState(), Gl)};
    std::unique_ptr<TShotStage> Stage;  // for the style of the box drawn last
    TShotStyle StageStyle;

    TShotStage& StageFor(const TShotStyle& style)
    {
        if (!Stage || !(style == StageStyle)) {
            Stage.reset();
            Stage = std::make_unique<TShotStage>(style);
            StageStyle = style;
        }
        return *Stage;
    }

    // A list's rows may ask for pictures of other sizes, and the images a
    // picture needs depend on its size: a new size starts a new cache.
    TTextureCache& CacheFor(int width, int height)
    {
        if (!Cache || !Cache->ServesPictures(width, height)) {
            Cache.reset();
            Cache.emplace(width, height);
        }
        return *Cache;
    }
};

TPictureDrawer::TPictureDrawer(const std::vector<TRunBox>& boxes, const std::vector<TPictureJob>& jobs)
    : Boxes_(boxes), Jobs_(jobs), State_(std::make_unique<TState>())
{
}

TPictureDrawer::~TPictureDrawer() = default;

void TPictureDrawer::DrawBox(size_t first, size_t end, const TPictureDone& done)
{
    const TRunBox& box = Boxes_[Jobs_[first].Box];
    const TRenderOptions& options = box.Options;
    TShotScene scene;
    const bool pictures = std::any_of(Jobs_.begin() + ptrdiff_t(first), Jobs_.begin() + ptrdiff_t(end),
                                      [](const TPictureJob& job) { return job.Kind == TJobKind::Picture; });
    try {
        TTextureCache& cache = State_->CacheFor(options.Width, options.Height);
        if (pictures) {
            const TBoxPlan plan = PlanBox(box.Artwork);
            const std::span<const TPictureJob> jobs(Jobs_.begin() + ptrdiff_t(first), Jobs_.begin() + ptrdiff_t(end));
            scene = State_->StageFor(options.Style).Scene(LoadBox(plan, cache, ShownNeeds(plan, jobs, options)));
        }
    } catch (const TError& e) {
        for (size_t i = first; i < end; ++i)
            done(i, e.what());
        return;
    } catch (const std::bad_alloc&) {
        for (size_t i = first; i < end; ++i)
            done(i, "not enough memory for the box's images");
        return;
    }
    TJobFramer framer;
    for (size_t i = first; i < end; ++i) {
        if (StopRequested())
            throw TStopped{};
        const TPictureJob& job = Jobs_[i];
        std::string failure;
        try {
            if (job.Kind != TJobKind::Picture) {
                WriteModelJob(box, job);
                done(i, failure);
                continue;
            }
            const std::optional<TFraming> framing = framer.Frame(scene, job, options);
            if (!framing)
                throw TError("the box covers no area in this pose (are its sizes 0?)");
            const TShotSettings settings{
                .Width = options.Width, .Height = options.Height, .Samples = options.Samples, .Tile = options.Tile};
            const auto draw = [&](TPictureRows& rows) {
                TStoppableRows stoppable(rows);
                State_->Shooter.Shoot(scene, *framing, settings, stoppable);
            };
            if (!job.FrameFile.empty())
                WriteFrameFile(job.FrameFile, settings.Width, draw);
            else
                WriteImageFile(job.OutputFile, job.Format, settings.Width, settings.Height, options.Style.Transparent,
                               draw, options.Quality, options.PngLevel);
        } catch (const TError& e) {
            failure = e.what();
        } catch (const std::bad_alloc&) {
            failure = "not enough memory for a picture of " + std::to_string(options.Width) + " x " +
                      std::to_string(options.Height) + " pixels";
        }
        done(i, failure);
    }
}

std::vector<std::pair<size_t, size_t>> BoxGroups(const std::vector<TPictureJob>& jobs, int workers)
{
    std::vector<std::pair<size_t, size_t>> groups;
    for (size_t first = 0; first < jobs.size();) {
        size_t end = first;
        while (end < jobs.size() && jobs[end].Box == jobs[first].Box)
            ++end;
        const size_t count = end - first;
        const size_t parts = jobs[first].Frame == NoFrame ? 1 : std::min(count, size_t(std::max(workers, 1)));
        for (size_t part = 0; part < parts; ++part)
            groups.emplace_back(first + count * part / parts, first + count * (part + 1) / parts);
        first = end;
    }
    return groups;
}
