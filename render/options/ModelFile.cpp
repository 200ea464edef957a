#include "render/options/ModelFile.h"

#include "platform/FileExtension.h"
#include "render/options/OptionValues.h"

bool IsGlbFile(const std::string& fileName)
{
    return LowerCaseAscii(FileExtension(fileName)) == "glb";
}

std::string PosterFileOf(const std::string& modelFile)
{
    return modelFile.substr(0, modelFile.size() - 3) + "png";
}

void CheckModelOptions(const TRenderOptions& options)
{
    if (!options.WebDir.empty()) {
        if (!options.OutputFile.empty() || !options.OutputDir.empty() || !options.ListFile.empty())
            Refuse("--web DIR writes the page of one box: give no -o, --out-dir or --list");
        if (options.Covers.size() > 1 || options.Poses.size() > 1)
            Refuse("--web DIR writes the page of one box in one pose: give one cover file and one pose");
        return;
    }
    // In a folder (--out-dir) any name may be a model's; -o names the one.
    const bool model = !options.OutputDir.empty() || IsGlbFile(options.OutputFile);
    for (const char* option : {"--poster", "--texture-size"})
        if (options.Given.contains(option) && !model)
            Refuse(std::string(option) + " goes with a 3D model: -o FILE.glb");
}
