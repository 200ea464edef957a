#include "render/batch/RenderPlan.h"

#include "render/batch/PictureNames.h"
#include "render/export/WebPage.h"
#include "render/options/ModelFile.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace {

// The box's default name: its cover file's, or else its front's or its wrap's.
void NameBox(TRunBox& box, size_t number)
{
    box.Fields["row"] = std::to_string(number);
    std::string& name = box.Fields["name"];
    if (name.empty() && box.Problem.empty())
        name = CoverStem(ArtworkName(box.Artwork));
}

TRunBox BoxOf(const TRenderOptions& options, const std::string& cover)
{
    TRunBox box{.Options = options, .Artwork = options.Artwork};
    box.Artwork.CoverFile = cover;
    box.Options.Covers = cover.empty() ? std::vector<std::string>() : std::vector<std::string>{cover};
    box.Label = ArtworkName(box.Artwork);
    return box;
}

// The frame's number as {frame} gives it, as long as the last frame's.
std::string FrameField(int frame, int frames)
{
    const std::string number = std::to_string(frame), last = std::to_string(frames - 1);
    return std::string(last.size() - std::min(last.size(), number.size()), '0') + number;
}

// Why a frame's number is out of place in a still's name or a WebP spin's.
constexpr const char* StrayFrameNumber = "numbers the frames of a spin written as .png, .jpg or .bmp pictures";

// Whether the name holds a frame's number as NumberedName reads it.
bool HoldsFrameNumber(const std::string& name)
{
    std::string problem;
    NumberedName(name, 0, problem);
    return problem.empty();
}

// Where the box's picture in the pose goes (frame: the frame of a spin
// written as pictures, or NoFrame), or a problem for the user.
std::string OutputOf(const TRunBox& box, const TPose& pose, int frame, const TRenderOptions& options,
                     std::string& problem)
{
    if (box.Options.OutputFile.empty() && !box.Options.WebDir.empty())
        return (std::filesystem::path(box.Options.WebDir) / WebModelFile).string();
    std::map<std::string, std::string> fields = box.Fields;
    fields["pose"] = pose.Name;
    const bool numbered = frame != NoFrame;
    const std::string& given = box.Options.OutputFile.empty() ? fields["output"] : box.Options.OutputFile;
    std::string name = given;
    if (!given.empty()) {
        if (numbered)
            name = NumberedName(given, frame, problem);
        else if (HoldsFrameNumber(given))
            problem = given + ": %d " + StrayFrameNumber;
        if (box.Options.Poses.size() > 1 && box.Options.OutputFile.empty() && problem.empty())
            problem = "an output cell names one picture, and this row makes " +
                      std::to_string(box.Options.Poses.size()) + ": use --name";
    } else if (!options.NameTemplate.empty()) {
        const std::vector<std::string> named = NameTemplateFields(options.NameTemplate);
        if (std::find(named.begin(), named.end(), "frame") != named.end() ? !numbered : numbered)
            problem = numbered ? "--name holds no {frame}: each frame of a spin needs a name of its own (or write "
                                 "the spin into one .webp)"
                               : std::string("--name: {frame} ") + StrayFrameNumber;
        fields["frame"] = numbered ? FrameField(frame, SpinFrameCount(box.Options.Spin)) : "";
        name = FillNameTemplate(options.NameTemplate, fields);
    } else {
        name = fields["name"] + "-" + pose.Name +
               (numbered ? "-" + FrameField(frame, SpinFrameCount(box.Options.Spin)) : std::string()) + "." +
               FormatExtension(box.Options.Format.value_or(TImageFormat::Png));
    }
    if (!box.Options.OutputFile.empty())
        return name;
    if (problem.empty())
        problem = PictureNameProblem(name);
    return options.OutputDir + (options.OutputDir.ends_with('/') ? "" : "/") + name;
}

// The jobs of a model written to `file`: the model, with its poster and with
// --web its page.
std::vector<TPictureJob> ModelJobs(size_t b, const TPose& pose, const std::string& file, const TRenderOptions& options)
{
    auto job = [&](std::string output, TJobKind kind) {
        return TPictureJob{.Box = b, .Pose = pose, .OutputFile = std::move(output), .Format = TImageFormat::Png,
                           .Kind = kind};
    };
    std::vector<TPictureJob> jobs{job(file, TJobKind::Model)};
    const std::filesystem::path web(options.WebDir);
    if (!options.WebDir.empty()) {
        jobs.push_back(job((web / WebPosterFile).string(), TJobKind::Picture));
        jobs.push_back(job((web / WebPageFile).string(), TJobKind::Page));
    } else if (options.Poster) {
        jobs.push_back(job(PosterFileOf(file), TJobKind::Picture));
    }
    return jobs;
}

} // namespace

std::string CoverStem(const std::string& coverFile)
{
    const size_t slash = coverFile.find_last_of('/');
    std::string name = slash == std::string::npos ? coverFile : coverFile.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

std::vector<TRunBox> RunBoxes(const TRenderOptions& options)
{
    std::vector<TRunBox> boxes;
    for (const std::string& cover : options.Covers.empty() ? std::vector<std::string>{""} : options.Covers)
        NameBox(boxes.emplace_back(BoxOf(options, cover)), boxes.size());
    return boxes;
}

std::vector<TRunBox> ListBoxes(const TRenderOptions& options, const TItemList& list)
{
    const std::string folder = std::filesystem::path(options.ListFile).parent_path().string();
    // Columns that only --name reads give no options.
    std::set<std::string> named;
    for (const std::string& field : NameTemplateFields(options.NameTemplate))
        if (!IsOptionColumn(field))
            named.insert(field);
    named.insert({"name", "output"});
    std::vector<TRunBox> boxes;
    for (const TItemRow& row : list.Rows) {
        TRunBox box;
        box.Problem = row.Problem;
        if (box.Problem.empty()) {
            std::vector<std::pair<std::string, std::string>> cells;
            for (size_t i = 0; i < list.Columns.size(); ++i)
                if (!named.contains(list.Columns[i]))
                    cells.emplace_back(list.Columns[i], row.Cells[i]);
            try {
                const TRenderOptions rowOptions = RowOptions(options, cells, folder);
                box = BoxOf(rowOptions, rowOptions.Covers.empty() ? std::string() : rowOptions.Covers.front());
            } catch (const TUsageError& e) {
                box.Problem = e.what();
            }
        }
        for (size_t i = 0; i < list.Columns.size(); ++i)
            box.Fields[list.Columns[i]] = row.Cells[i];
        box.Label = options.ListFile + " row " + std::to_string(row.Number);
        NameBox(box, size_t(row.Number));
        boxes.push_back(std::move(box));
    }
    return boxes;
}

std::vector<TPictureJob> PlanPictures(std::vector<TRunBox>& boxes, const TRenderOptions& options)
{
    if (!options.NameTemplate.empty() && !boxes.empty())
        for (const std::string& field : NameTemplateFields(options.NameTemplate))
            if (field != "pose" && field != "frame" && !boxes.front().Fields.contains(field))
                throw TUsageError("--name: there is no field {" + field +
                                  "}: give {name}, {pose}, {row}, {frame} or a column of the list");
    std::vector<TPictureJob> jobs;
    std::map<std::string, size_t> taken;  // each file, by the box that writes it
    for (size_t b = 0; b < boxes.size(); ++b) {
        TRunBox& box = boxes[b];
        std::vector<TPictureJob> own;
        std::string problem = box.Problem;
        const int frames = SpinFrameCount(box.Options.Spin);
        // Takes the file for this box; one taken before gives the box its problem.
        const auto claim = [&](const std::string& file) {
            const auto [at, fresh] = taken.emplace(file, b);
            if (!fresh && problem.empty())
                problem = "two pictures would be written to " + file +
                          (at->second == b ? std::string() : " (" + boxes[at->second].Label + " writes it)");
            return fresh;
        };
        for (size_t p = 0; p < box.Options.Poses.size() && problem.empty(); ++p) {
            const TPose& pose = box.Options.Poses[p];
            // A model is one file, with its poster and its page as asked for.
            std::string ignored;
            if (IsGlbFile(OutputOf(box, pose, NoFrame, options, ignored))) {
                const std::string file = OutputOf(box, pose, NoFrame, options, problem);
                if (problem.empty() && frames > 0)
                    problem = "--spin and --swing draw pictures: " + file + " holds the box itself";
                for (TPictureJob& job : problem.empty() ? ModelJobs(b, pose, file, box.Options)
                                                        : std::vector<TPictureJob>{})
                    if (claim(job.OutputFile))
                        own.push_back(std::move(job));
                continue;
            }
            // A spin into a .webp is one file of all its frames; else each
            // frame is a picture of its own.
            const bool animated = frames > 0 && ImageFormatOf(OutputOf(box, pose, 0, options, ignored)) ==
                                                    std::optional(TImageFormat::WebP);
            const int files = frames > 0 && !animated ? frames : 1;
            for (int f = 0; f < files && problem.empty(); ++f) {
                std::string file = OutputOf(box, pose, frames > 0 && !animated ? f : NoFrame, options, problem);
                if (!problem.empty())
                    break;
                const std::optional<TImageFormat> format = ImageFormatOf(file);
                if (!format)
                    problem = "cannot write " + file + ": " + NoFormatProblem;
                else if (box.Options.Style.Transparent && !KeepsAlpha(*format))
                    problem = "--transparent needs a .png or .webp picture, not " + file;
                else if (const std::string size = ImageSizeProblem(*format, box.Options.Width, box.Options.Height);
                         !size.empty())
                    problem = "cannot write " + file + ": " + size;
                else if (claim(file) && animated)
                    for (int frame = 0; frame < frames; ++frame)
                        own.push_back({b, pose, file, *format, frame});
                else if (problem.empty())
                    own.push_back({b, pose, std::move(file), *format, frames > 0 ? f : NoFrame});
            }
        }
        if (problem.empty()) {
            jobs.insert(jobs.end(), own.begin(), own.end());
            continue;
        }
        if (options.ListFile.empty())
            throw TUsageError(problem);
        for (const TPictureJob& job : own)
            taken.erase(job.OutputFile);
        box.Problem = problem;
    }
    return jobs;
}
