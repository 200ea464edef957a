#include "render/options/OptionChecks.h"

#include "render/options/ModelFile.h"
#include "render/options/OptionValues.h"
#include "render/picture/ImageFile.h"

#include <algorithm>

void CheckPictures(const TRenderOptions& options)
{
    TBoxArtwork first = options.Artwork;
    if (!options.Covers.empty())
        first.CoverFile = options.Covers.front();
    if (const std::string problem = ArtworkProblem(first); !problem.empty())
        Refuse(problem);
    if (options.Style.Transparent && options.Given.contains("--background"))
        Refuse("--transparent and --background cannot be used together");
    const std::optional<TImageFormat> format =
        options.OutputFile.empty() ? options.Format : ImageFormatOf(options.OutputFile);
    if (options.Given.contains("--quality") && format && *format != TImageFormat::Jpeg &&
        *format != TImageFormat::WebP)
        Refuse("--quality is for .jpg and .webp pictures");
    if (options.Given.contains("--png-level") && format && *format != TImageFormat::Png)
        Refuse("--png-level is for .png pictures");
    if (options.OutputFile.empty())
        return;
    const size_t pictures = std::max<size_t>(options.Covers.size(), 1) * options.Poses.size();
    if (pictures > 1)
        Refuse("-o writes one picture, and these options make " + std::to_string(pictures) +
               ": use --out-dir DIR");
    if (IsGlbFile(options.OutputFile)) {
        if (SpinFrameCount(options.Spin) > 0)
            Refuse("--spin and --swing draw pictures: a .glb holds the box itself, for a viewer to turn");
        return;
    }
    if (!format)
        Refuse("cannot write " + options.OutputFile + ": " + NoFormatProblem);
    if (options.Style.Transparent && !KeepsAlpha(*format))
        Refuse("--transparent needs a .png or .webp picture");
    if (const std::string problem = ImageSizeProblem(*format, options.Width, options.Height); !problem.empty())
        Refuse("cannot write " + options.OutputFile + ": " + problem);
}

void CheckTogether(const TRenderOptions& options, const std::set<std::string>& given)
{
    if (given.contains("--preset") && given.contains("--angles"))
        Refuse("give one --preset or --angles");
    for (const char* studioOnly : {"--shadow", "--reflection"})
        if (given.contains(studioOnly) && options.Style.Look == TLook::Window)
            Refuse(std::string(studioOnly) + " belongs to the studio look: --look window draws the window's picture");
}

void CheckCommandLine(const TRenderOptions& options)
{
    CheckTogether(options, options.Given);
    CheckModelOptions(options);
    if (!options.OutputFile.empty() && !options.OutputDir.empty())
        Refuse("give either -o FILE or --out-dir DIR");
    if (options.Given.contains("--format") && !options.OutputFile.empty())
        Refuse("--format is the format of the pictures named in --out-dir DIR: the name of -o FILE gives its own");
    if (!options.NameTemplate.empty() && options.OutputDir.empty())
        Refuse("--name names the pictures in --out-dir DIR: give --out-dir DIR");
    if (options.Given.contains("--shard-count") && !options.ShardAuto)
        Refuse("--shard-count goes with --shard auto");
    if (options.ListFile.empty()) {
        CheckPictures(options);
        if (options.OutputFile.empty() && options.OutputDir.empty() && options.WebDir.empty())
            Refuse("give either -o FILE or --out-dir DIR");
        return;
    }
    if (!options.Covers.empty())
        Refuse("with --list the list names the boxes: give no cover file (the list's \"cover\" column names them)");
    if (options.OutputDir.empty())
        Refuse("with --list the pictures go into a folder: give --out-dir DIR");
}
