#include "render/RenderOptions.h"

#include "render/ImageFile.h"
#include "view/StylePresets.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <set>
#include <string_view>

const char* const RenderUsage =
    "usage: plenamar-render [options] COVER.cov...\n"
    "       plenamar-render [options] --front FILE [--back FILE] [--spine FILE] ...\n"
    "  -o FILE              write the one picture to FILE (.png, .bmp or .jpg)\n"
    "  --out-dir DIR        write DIR/<box>-<pose>.png for every box and pose, <box> being\n"
    "                       the name of the cover file, or else of the front or the wrap\n"
    "  --preset N|all       the pose of style preset N (0 to 4), or all five\n"
    "  --angles X,Y         turn the box X degrees about x and Y about y (default 0,0)\n"
    "  --size WxH           picture size in pixels, 1 to 65535 a side (default 1150x880);\n"
    "                       a JPEG holds at most 65500 a side, a BMP at most 4 GiB\n"
    "  --samples N          antialiasing samples per pixel, 1 to 64 (default 8; 1 turns it off)\n"
    "  --look studio|window studio (the default): lit as a solid, with a soft shadow;\n"
    "                       window: the picture the window shows\n"
    "  --shadow S           the studio's contact shadow, 0 (none) to 1 (default 0.6)\n"
    "  --reflection R       the studio's reflection in a glossy floor, 0 (none) to 1 (default 0)\n"
    "  --margin M           the margin around the box, a share of the picture: 0.05 or 5% (default)\n"
    "  --tile N             draw in tiles of at most N x N pixels, 16 or more (default 1024,\n"
    "                       or what the OpenGL draws at once if less); smaller takes less memory\n"
    "  --transparent        background alpha 0 (PNG only)\n"
    "  --background RRGGBB  background colour (default FFFFFF)\n"
    "  --help               this text\n"
    "The box (with cover files, these override each cover's own):\n"
    "  --front FILE         the front cover's image: PNG (alpha cuts it out), JPEG, WebP,\n"
    "                       TIFF, GIF, BMP or any other picture\n"
    "  --back FILE          the back cover's image (default: the front's)\n"
    "  --spine FILE         the spine's image (default: the colour of the front's edge)\n"
    "  --top FILE           the top and bottom's image (default: the colour of the spine's top)\n"
    "  --floor FILE         the floor and background image\n"
    "  --plain FILE         the open lid's flaps (default: the top's image)\n"
    "  --wrap FILE          one scan laid out back | spine | front, cut into those faces\n"
    "                       (--front, --spine and --back each win over their part)\n"
    "  --wrap-spine PIXELS  the width of the scan's spine (default: the box's proportions)\n"
    "  --box WxHxD|auto     the box's sizes (default 20x30x5, or the cover's); auto: 20 wide,\n"
    "                       the height from the front's aspect, the depth from the spine's\n"
    "  --book               the book look: the pages set in from the covers\n"
    "  --open               an open lid with its flaps\n"
    "  --show-floor         the floor under the box\n"
    "  --show-background    the floor image behind the box\n"
    "Each option may be given once.\n";

namespace {

[[noreturn]] void Refuse(const std::string& message)
{
    throw TUsageError(message);
}

template <typename T>
bool ParseNumber(std::string_view text, T& value)
{
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && at == end;
}

int ParseCount(const std::string& option, std::string_view text, int lowest, int highest)
{
    int value = 0;
    if (!ParseNumber(text, value) || value < lowest || value > highest)
        Refuse(option + " takes a whole number from " + std::to_string(lowest) + " to " + std::to_string(highest) +
               ", not \"" + std::string(text) + "\"");
    return value;
}

// The shortest text that reads back as the same float: 31.5, -0.25, 40.
std::string ShortestText(float value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

TPose AnglesPose(std::string_view text)
{
    const size_t comma = text.find(',');
    float x = 0.0f, y = 0.0f;
    if (comma == std::string_view::npos || !ParseNumber(text.substr(0, comma), x) ||
        !ParseNumber(text.substr(comma + 1), y) || !std::isfinite(x) || !std::isfinite(y))
        Refuse("--angles takes two numbers X,Y in degrees, not \"" + std::string(text) + "\"");
    return {"x" + ShortestText(x) + "_y" + ShortestText(y), x, y};
}

std::vector<TPose> PresetPoses(std::string_view text)
{
    const auto presets = StylePresetTable();
    auto pose = [&](int i) {
        return TPose{"preset" + std::to_string(i), presets[size_t(i)].XRotation, presets[size_t(i)].YRotation};
    };
    if (text == "all") {
        std::vector<TPose> poses;
        for (int i = 0; i < StylePresetCount; ++i)
            poses.push_back(pose(i));
        return poses;
    }
    return {pose(ParseCount("--preset", text, 0, StylePresetCount - 1))};
}

void ParseSize(std::string_view text, TRenderOptions& options)
{
    const size_t x = text.find_first_of("xX");
    int width = 0, height = 0;
    if (x == std::string_view::npos || !ParseNumber(text.substr(0, x), width) ||
        !ParseNumber(text.substr(x + 1), height) || width < 1 || height < 1 || width > MaxPictureSide ||
        height > MaxPictureSide)
        Refuse("--size takes WIDTHxHEIGHT, each from 1 to " + std::to_string(MaxPictureSide) + ", not \"" +
               std::string(text) + "\"");
    options.Width = width;
    options.Height = height;
}

// A share written as a number (0.05) or as a percentage (5%), from 0 to highest.
double ParseShare(const std::string& option, std::string_view text, double highest)
{
    const bool percent = text.ends_with('%');
    double value = 0.0;
    const bool number = ParseNumber(percent ? text.substr(0, text.size() - 1) : text, value);
    if (percent)
        value /= 100.0;
    if (!number || !std::isfinite(value) || value < 0.0 || value > highest)
        Refuse(option + " takes a share from 0 to " + ShortestText(float(highest)) + " (or 0% to " +
               ShortestText(float(highest * 100.0)) + "%), not \"" + std::string(text) + "\"");
    return value;
}

TLook ParseLook(std::string_view text)
{
    if (text == "studio")
        return TLook::Studio;
    if (text == "window")
        return TLook::Window;
    Refuse("--look takes studio or window, not \"" + std::string(text) + "\"");
}

uint32_t ParseColour(std::string_view text)
{
    if (!text.empty() && text.front() == '#')
        text.remove_prefix(1);
    uint32_t colour = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, colour, 16);
    if (text.size() != 6 || error != std::errc() || at != end)
        Refuse("--background takes a colour RRGGBB in hexadecimal, not \"" + std::string(text) + "\"");
    return colour;
}

void ParseBox(std::string_view text, TBoxArtwork& artwork)
{
    const std::string_view original = text;
    if (text == "auto") {
        artwork.AutoSize = true;
        return;
    }
    std::array<float, 3> sides{};
    bool read = true;
    for (size_t i = 0; i < sides.size() && read; ++i) {
        const size_t x = i + 1 < sides.size() ? text.find_first_of("xX") : text.size();
        read = x != std::string_view::npos && ParseNumber(text.substr(0, x), sides[i]) && sides[i] > 0.0f &&
               sides[i] <= MaxBoxSide;
        text.remove_prefix(std::min(text.size(), x + 1));
    }
    if (!read)
        Refuse("--box takes WIDTHxHEIGHTxDEPTH, each above 0 and at most " + ShortestText(MaxBoxSide) +
               ", or auto, not \"" + std::string(original) + "\"");
    artwork.Size = TBoxSize{sides[0], sides[1], sides[2]};
}

void CheckOutputs(const TRenderOptions& options, bool background)
{
    TBoxArtwork first = options.Artwork;
    if (!options.Covers.empty())
        first.CoverFile = options.Covers.front();
    if (const std::string problem = ArtworkProblem(first); !problem.empty())
        Refuse(problem);
    if (options.OutputFile.empty() == options.OutputDir.empty())
        Refuse("give either -o FILE or --out-dir DIR");
    if (options.Style.Transparent && background)
        Refuse("--transparent and --background cannot be used together");
    if (options.OutputFile.empty())
        return;
    const size_t pictures = std::max<size_t>(options.Covers.size(), 1) * options.Poses.size();
    if (pictures > 1)
        Refuse("-o writes one picture, and these options make " + std::to_string(pictures) +
               ": use --out-dir DIR");
    const std::optional<TImageFormat> format = ImageFormatOf(options.OutputFile);
    if (!format)
        Refuse("cannot write " + options.OutputFile + ": the picture's name must end in .png, .bmp or .jpg");
    if (options.Style.Transparent && *format != TImageFormat::Png)
        Refuse("--transparent needs a .png picture");
    if (const std::string problem = ImageSizeProblem(*format, options.Width, options.Height); !problem.empty())
        Refuse("cannot write " + options.OutputFile + ": " + problem);
}

// Every option: its name, another spelling, whether it takes a value, and what
// it sets.
struct TOptionRule {
    std::string_view Name;
    std::string_view Alias;  // empty when there is none
    bool TakesValue;
    void (*Apply)(TRenderOptions& options, const std::string& value);
};

std::string PathValue(const std::string& option, const std::string& value)
{
    if (value.empty())
        Refuse(option + " needs a value");
    return value;
}

// The options of the faces' images, in the order of TArtFace.
constexpr std::array<const char*, ArtFaceCount> FaceOptions{"--front", "--spine", "--back",
                                                            "--top",   "--floor", "--plain"};

template <TArtFace Face>
void SetFace(TRenderOptions& options, const std::string& value)
{
    options.Artwork.Faces[size_t(Face)] = PathValue(FaceOptions[size_t(Face)], value);
}

const TOptionRule OptionRules[] = {
    {"--help", "-h", false, [](TRenderOptions& o, const std::string&) { o.Help = true; }},
    {"-o", {}, true, [](TRenderOptions& o, const std::string& v) { o.OutputFile = PathValue("-o", v); }},
    {"--out-dir", {}, true, [](TRenderOptions& o, const std::string& v) { o.OutputDir = PathValue("--out-dir", v); }},
    {"--preset", {}, true, [](TRenderOptions& o, const std::string& v) { o.Poses = PresetPoses(v); }},
    {"--angles", {}, true, [](TRenderOptions& o, const std::string& v) { o.Poses = {AnglesPose(v)}; }},
    {"--size", {}, true, [](TRenderOptions& o, const std::string& v) { ParseSize(v, o); }},
    {"--samples", {}, true,
     [](TRenderOptions& o, const std::string& v) { o.Samples = ParseCount("--samples", v, 1, MaxSamples); }},
    {"--tile", {}, true,
     [](TRenderOptions& o, const std::string& v) { o.Tile = ParseCount("--tile", v, MinTileSide, MaxPictureSide); }},
    {"--transparent", {}, false, [](TRenderOptions& o, const std::string&) { o.Style.Transparent = true; }},
    {"--background", {}, true, [](TRenderOptions& o, const std::string& v) { o.Style.Background = ParseColour(v); }},
    {"--look", {}, true, [](TRenderOptions& o, const std::string& v) { o.Style.Look = ParseLook(v); }},
    {"--shadow", {}, true, [](TRenderOptions& o, const std::string& v) { o.Style.Shadow = ParseShare("--shadow", v, 1.0); }},
    {"--reflection", {}, true,
     [](TRenderOptions& o, const std::string& v) { o.Style.Reflection = ParseShare("--reflection", v, 1.0); }},
    {"--margin", {}, true,
     [](TRenderOptions& o, const std::string& v) { o.Style.Margin = ParseShare("--margin", v, MaxMargin); }},
    {"--front", {}, true, SetFace<TArtFace::Front>},
    {"--spine", {}, true, SetFace<TArtFace::Spine>},
    {"--back", {}, true, SetFace<TArtFace::Back>},
    {"--top", {}, true, SetFace<TArtFace::Top>},
    {"--floor", {}, true, SetFace<TArtFace::Floor>},
    {"--plain", {}, true, SetFace<TArtFace::Plain>},
    {"--wrap", {}, true, [](TRenderOptions& o, const std::string& v) { o.Artwork.Wrap = PathValue("--wrap", v); }},
    {"--wrap-spine", {}, true,
     [](TRenderOptions& o, const std::string& v) {
         o.Artwork.WrapSpine = ParseCount("--wrap-spine", v, 1, MaxWrapSpine);
     }},
    {"--box", {}, true, [](TRenderOptions& o, const std::string& v) { ParseBox(v, o.Artwork); }},
    {"--book", {}, false, [](TRenderOptions& o, const std::string&) { o.Artwork.Book = true; }},
    {"--open", {}, false, [](TRenderOptions& o, const std::string&) { o.Artwork.Open = true; }},
    {"--show-floor", {}, false, [](TRenderOptions& o, const std::string&) { o.Artwork.ShowFloor = true; }},
    {"--show-background", {}, false,
     [](TRenderOptions& o, const std::string&) { o.Artwork.ShowBackground = true; }},
};

const TOptionRule& FindOption(const std::string& name)
{
    for (const TOptionRule& rule : OptionRules)
        if (name == rule.Name || name == rule.Alias)
            return rule;
    Refuse("unknown option " + name);
}

} // namespace

TRenderOptions ParseRenderArguments(const std::vector<std::string>& args)
{
    TRenderOptions options;
    std::set<std::string_view> given;  // by each option's first name
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            options.Covers.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        // Long options take their value after "=" or as the next argument.
        std::string name = arg;
        std::optional<std::string> value;
        if (const size_t equals = arg.find('='); arg.starts_with("--") && equals != std::string::npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
        }
        const TOptionRule& rule = FindOption(name);
        if (!given.insert(rule.Name).second)
            Refuse(std::string(rule.Name) + " is given twice: give each option once");
        if (!rule.TakesValue && value)
            Refuse(name + " takes no value");
        if (rule.TakesValue && !value) {
            if (i + 1 >= args.size())
                Refuse(name + " needs a value");
            value = args[++i];
        }
        rule.Apply(options, value.value_or(std::string()));
    }
    if (given.contains("--preset") && given.contains("--angles"))
        Refuse("give one --preset or --angles");
    for (const char* studioOnly : {"--shadow", "--reflection"})
        if (given.contains(studioOnly) && options.Style.Look == TLook::Window)
            Refuse(std::string(studioOnly) + " belongs to the studio look: --look window draws the window's picture");
    if (options.Help)
        return options;
    if (options.Poses.empty())
        options.Poses = {AnglesPose("0,0")};
    CheckOutputs(options, given.contains("--background"));
    return options;
}
