#include "render/batch/KeepNewer.h"

#include "platform/Error.h"
#include "render/artwork/BoxPlan.h"

#include <set>
#include <sys/stat.h>

namespace {

bool Modified(const std::string& file, timespec& time)
{
    struct stat status;
    if (stat(file.c_str(), &status) != 0)
        return false;
    time = status.st_mtim;
    return true;
}

bool Before(const timespec& a, const timespec& b)
{
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

} // namespace

std::vector<std::string> BoxInputs(const TBoxArtwork& artwork)
{
    std::set<std::string> files;
    try {
        const TBoxPlan plan = PlanBox(artwork);
        for (const TFaceSource& face : plan.Faces)
            if (!face.File.empty())
                files.insert(face.File);
    } catch (const TError&) {
        return {};
    }
    if (!artwork.CoverFile.empty())
        files.insert(artwork.CoverFile);
    return {files.begin(), files.end()};
}

bool IsNewerThanAll(const std::string& output, const std::vector<std::string>& inputs)
{
    timespec written{};
    if (inputs.empty() || !Modified(output, written))
        return false;
    for (const std::string& input : inputs) {
        timespec changed{};
        if (!Modified(input, changed) || !Before(changed, written))
            return false;
    }
    return true;
}
