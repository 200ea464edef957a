#include "render/RenderPlan.h"

#include <set>

std::string CoverStem(const std::string& coverFile)
{
    const size_t slash = coverFile.find_last_of('/');
    std::string name = slash == std::string::npos ? coverFile : coverFile.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

std::vector<TBoxArtwork> RunBoxes(const TRenderOptions& options)
{
    if (options.Covers.empty())
        return {options.Artwork};
    std::vector<TBoxArtwork> boxes;
    for (const std::string& cover : options.Covers) {
        boxes.push_back(options.Artwork);
        boxes.back().CoverFile = cover;
    }
    return boxes;
}

std::vector<TPictureJob> PlanPictures(const TRenderOptions& options)
{
    std::vector<TPictureJob> jobs;
    if (!options.OutputFile.empty()) {
        jobs.push_back({0, options.Poses.front(), options.OutputFile, *ImageFormatOf(options.OutputFile)});
        return jobs;
    }
    std::string folder = options.OutputDir;
    if (!folder.ends_with('/'))
        folder += '/';
    std::set<std::string> taken;
    const std::vector<TBoxArtwork> boxes = RunBoxes(options);
    for (size_t box = 0; box < boxes.size(); ++box) {
        for (const TPose& pose : options.Poses) {
            std::string file = folder + CoverStem(ArtworkName(boxes[box])) + "-" + pose.Name + ".png";
            if (!taken.insert(file).second)
                throw TUsageError("two pictures would be written to " + file +
                                  ": give covers whose names differ");
            jobs.push_back({box, pose, std::move(file), TImageFormat::Png});
        }
    }
    return jobs;
}
