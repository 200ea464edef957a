#include "render/batch/RenderPlan.h"

#include "render/batch/PictureNames.h"
#include "render/export/WebPage.h"
#include "render/options/ModelFile.h"

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

// Where the box's picture in the pose goes, or a problem for the user.
std::string OutputOf(const TRunBox& box, const TPose& pose, const TRenderOptions& options, std::string& problem)
{
    if (!box.Options.OutputFile.empty())
        return box.Options.OutputFile;
    if (!box.Options.WebDir.empty())
        return (std::filesystem::path(box.Options.WebDir) / WebModelFile).string();
    std::map<std::string, std::string> fields = box.Fields;
    fields["pose"] = pose.Name;
    std::string name = fields["output"];
    if (!name.empty() && box.Options.Poses.size() > 1)
        problem = "an output cell names one picture, and this row makes " + std::to_string(box.Options.Poses.size()) +
                  ": use --name";
    else if (name.empty())
        name = options.NameTemplate.empty() ? fields["name"] + "-" + pose.Name + ".png"
                                            : FillNameTemplate(options.NameTemplate, fields);
    if (problem.empty())
        problem = PictureNameProblem(name);
    return options.OutputDir + (options.OutputDir.ends_with('/') ? "" : "/") + name;
}

// The jobs that write `file`: a model with its poster and its page as asked
// for, or a picture; none, and a problem for the user, for a picture that
// cannot be written.
std::vector<TPictureJob> OutputJobs(size_t b, const TPose& pose, const std::string& file,
                                    const TRenderOptions& options, std::string& problem)
{
    if (IsGlbFile(file)) {
        std::vector<TPictureJob> jobs{{b, pose, file, TImageFormat::Png, TJobKind::Model}};
        const std::filesystem::path web(options.WebDir);
        if (!options.WebDir.empty()) {
            jobs.push_back({b, pose, (web / WebPosterFile).string(), TImageFormat::Png});
            jobs.push_back({b, pose, (web / WebPageFile).string(), TImageFormat::Png, TJobKind::Page});
        } else if (options.Poster) {
            jobs.push_back({b, pose, PosterFileOf(file), TImageFormat::Png});
        }
        return jobs;
    }
    const std::optional<TImageFormat> format = ImageFormatOf(file);
    if (!format)
        problem = "cannot write " + file + ": the picture's name must end in .png, .bmp or .jpg";
    else if (options.Style.Transparent && *format != TImageFormat::Png)
        problem = "--transparent needs a .png picture, not " + file;
    else if (const std::string size = ImageSizeProblem(*format, options.Width, options.Height); !size.empty())
        problem = "cannot write " + file + ": " + size;
    else
        return {{b, pose, file, *format}};
    return {};
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
            if (field != "pose" && !boxes.front().Fields.contains(field))
                throw TUsageError("--name: there is no field {" + field +
                                  "}: give {name}, {pose}, {row} or a column of the list");
    std::vector<TPictureJob> jobs;
    std::map<std::string, size_t> taken;  // each file, by the box that writes it
    for (size_t b = 0; b < boxes.size(); ++b) {
        TRunBox& box = boxes[b];
        std::vector<TPictureJob> own;
        std::string problem = box.Problem;
        for (size_t p = 0; p < box.Options.Poses.size() && problem.empty(); ++p) {
            const TPose& pose = box.Options.Poses[p];
            const std::string file = OutputOf(box, pose, options, problem);
            if (!problem.empty())
                break;
            for (TPictureJob& job : OutputJobs(b, pose, file, box.Options, problem)) {
                if (const auto [at, fresh] = taken.emplace(job.OutputFile, b); !fresh && problem.empty())
                    problem = "two pictures would be written to " + job.OutputFile +
                              (at->second == b ? std::string() : " (" + boxes[at->second].Label + " writes it)");
                else if (fresh)
                    own.push_back(std::move(job));
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
