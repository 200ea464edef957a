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
    "       plenamar-render [options] --list ITEMS.csv --out-dir DIR\n"
    "  -o, --output FILE    write the one picture to FILE (.png, .bmp or .jpg)\n"
    "  --out-dir DIR        write DIR/<box>-<pose>.png for every box and pose, <box> being\n"
    "                       the name of the cover file, or else of the front or the wrap\n"
    "  --name TEMPLATE      the pictures' names in DIR instead, made from {name}, {pose},\n"
    "                       {row} and the list's columns: '{name}.jpg', '{row}-{pose}.png'\n"
    "  --list FILE          one box a row of a CSV file whose header names options without\n"
    "                       their dashes (front, size, preset, ...), cover, name and output\n"
    "  -j, --jobs N         draw in N processes at once (default: one per CPU the process\n"
    "                       may use: its affinity, its cgroup's quota, SLURM_CPUS_PER_TASK)\n"
    "  --keep-newer         skip a picture whose file is newer than each file of its box\n"
    "  --shard K/N|auto     draw every N-th box from the K-th (0 <= K < N); auto: the\n"
    "                       index of a Kubernetes Indexed Job or a Slurm job array\n"
    "  --shard-count N      N for --shard auto in a Kubernetes Indexed Job\n"
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

// The pictures the options make, checked as a whole: the box, where they go
// and in what format.
void CheckPictures(const TRenderOptions& options)
{
    TBoxArtwork first = options.Artwork;
    if (!options.Covers.empty())
        first.CoverFile = options.Covers.front();
    if (const std::string problem = ArtworkProblem(first); !problem.empty())
        Refuse(problem);
    if (options.Style.Transparent && options.Given.contains("--background"))
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

// The options that do not go together, among those given.
void CheckTogether(const TRenderOptions& options, const std::set<std::string>& given)
{
    if (given.contains("--preset") && given.contains("--angles"))
        Refuse("give one --preset or --angles");
    for (const char* studioOnly : {"--shadow", "--reflection"})
        if (given.contains(studioOnly) && options.Style.Look == TLook::Window)
            Refuse(std::string(studioOnly) + " belongs to the studio look: --look window draws the window's picture");
}

// The checks of a whole command line.
void CheckCommandLine(const TRenderOptions& options)
{
    CheckTogether(options, options.Given);
    if (!options.OutputFile.empty() && !options.OutputDir.empty())
        Refuse("give either -o FILE or --out-dir DIR");
    if (!options.NameTemplate.empty() && options.OutputDir.empty())
        Refuse("--name names the pictures in --out-dir DIR: give --out-dir DIR");
    if (options.Given.contains("--shard-count") && !options.ShardAuto)
        Refuse("--shard-count goes with --shard auto");
    if (options.ListFile.empty()) {
        CheckPictures(options);
        if (options.OutputFile.empty() && options.OutputDir.empty())
            Refuse("give either -o FILE or --out-dir DIR");
        return;
    }
    if (!options.Covers.empty())
        Refuse("with --list the list names the boxes: give no cover file (the list's \"cover\" column names them)");
    if (options.OutputDir.empty())
        Refuse("with --list the pictures go into a folder: give --out-dir DIR");
}

enum class TValue {
    None,  // a switch: it turns something on
    Text,
    Path,  // a file or folder: in a list, a relative one is taken from the list's folder
};

// Every option: its name, another spelling, what it takes, whether a list's
// rows may give it (in the column of its long name without the dashes), and
// what it sets.
struct TOptionRule {
    std::string_view Name;
    std::string_view Alias;  // empty when there is none
    TValue Value;
    bool PerRow;
    void (*Apply)(TRenderOptions& options, const std::string& value);
};

std::string PathValue(const std::string& option, const std::string& value)
{
    if (value.empty())
        Refuse(option + " needs a value");
    return value;
}

// A switch is on when given on the command line (value empty); a list's cell
// says which.
bool SwitchValue(const std::string& option, const std::string& value)
{
    std::string word;
    for (const char c : value)
        word += char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (word.empty() || word == "1" || word == "yes" || word == "true" || word == "on")
        return true;
    if (word == "0" || word == "no" || word == "false" || word == "off")
        return false;
    Refuse(option + " takes 1, yes, true, on or 0, no, false, off, not \"" + value + "\"");
}

int ParseShardPart(std::string_view text, int lowest, const std::string& whole)
{
    int value = 0;
    if (!ParseNumber(text, value) || value < lowest || value > MaxShards)
        Refuse("--shard takes K/N with 0 <= K < N <= " + std::to_string(MaxShards) + ", or auto, not \"" + whole +
               "\"");
    return value;
}

void ParseShard(const std::string& text, TRenderOptions& options)
{
    if (text == "auto") {
        options.ShardAuto = true;
        return;
    }
    const size_t slash = text.find('/');
    const std::string_view view = text;
    const int index = ParseShardPart(view.substr(0, std::min(slash, text.size())), 0, text);
    const int count = ParseShardPart(slash == std::string::npos ? std::string_view() : view.substr(slash + 1), 1, text);
    if (index >= count)
        ParseShardPart({}, 0, text);
    options.Shard = TShard{index, count};
}

// The options of the faces' images, in the order of TArtFace.
constexpr std::array<const char*, ArtFaceCount> FaceOptions{"--front", "--spine", "--back",
                                                            "--top",   "--floor", "--plain"};

template <TArtFace Face>
void SetFace(TRenderOptions& options, const std::string& value)
{
    options.Artwork.Faces[size_t(Face)] = PathValue(FaceOptions[size_t(Face)], value);
}

using enum TValue;

const TOptionRule OptionRules[] = {
    {"--help", "-h", None, false, [](TRenderOptions& o, const std::string&) { o.Help = true; }},
    {"-o", "--output", Path, false, [](TRenderOptions& o, const std::string& v) { o.OutputFile = PathValue("-o", v); }},
    {"--out-dir", {}, Text, false,
     [](TRenderOptions& o, const std::string& v) { o.OutputDir = PathValue("--out-dir", v); }},
    {"--name", {}, Text, false,
     [](TRenderOptions& o, const std::string& v) { o.NameTemplate = PathValue("--name", v); }},
    {"--list", {}, Text, false, [](TRenderOptions& o, const std::string& v) { o.ListFile = PathValue("--list", v); }},
    {"--jobs", "-j", Text, false,
     [](TRenderOptions& o, const std::string& v) { o.Jobs = ParseCount("--jobs", v, 1, MaxJobs); }},
    {"--keep-newer", {}, None, false, [](TRenderOptions& o, const std::string&) { o.KeepNewer = true; }},
    {"--shard", {}, Text, false, [](TRenderOptions& o, const std::string& v) { ParseShard(v, o); }},
    {"--shard-count", {}, Text, false,
     [](TRenderOptions& o, const std::string& v) { o.ShardCount = ParseCount("--shard-count", v, 1, MaxShards); }},
    {"--preset", {}, Text, true, [](TRenderOptions& o, const std::string& v) { o.Poses = PresetPoses(v); }},
    {"--angles", {}, Text, true, [](TRenderOptions& o, const std::string& v) { o.Poses = {AnglesPose(v)}; }},
    {"--size", {}, Text, true, [](TRenderOptions& o, const std::string& v) { ParseSize(v, o); }},
    {"--samples", {}, Text, true,
     [](TRenderOptions& o, const std::string& v) { o.Samples = ParseCount("--samples", v, 1, MaxSamples); }},
    {"--tile", {}, Text, true,
     [](TRenderOptions& o, const std::string& v) { o.Tile = ParseCount("--tile", v, MinTileSide, MaxPictureSide); }},
    {"--transparent", {}, None, true,
     [](TRenderOptions& o, const std::string& v) { o.Style.Transparent = SwitchValue("--transparent", v); }},
    {"--background", {}, Text, true,
     [](TRenderOptions& o, const std::string& v) { o.Style.Background = ParseColour(v); }},
    {"--look", {}, Text, true, [](TRenderOptions& o, const std::string& v) { o.Style.Look = ParseLook(v); }},
    {"--shadow", {}, Text, true,
     [](TRenderOptions& o, const std::string& v) { o.Style.Shadow = ParseShare("--shadow", v, 1.0); }},
    {"--reflection", {}, Text, true,
     [](TRenderOptions& o, const std::string& v) { o.Style.Reflection = ParseShare("--reflection", v, 1.0); }},
    {"--margin", {}, Text, true,
     [](TRenderOptions& o, const std::string& v) { o.Style.Margin = ParseShare("--margin", v, MaxMargin); }},
    {"--front", {}, Path, true, SetFace<TArtFace::Front>},
    {"--spine", {}, Path, true, SetFace<TArtFace::Spine>},
    {"--back", {}, Path, true, SetFace<TArtFace::Back>},
    {"--top", {}, Path, true, SetFace<TArtFace::Top>},
    {"--floor", {}, Path, true, SetFace<TArtFace::Floor>},
    {"--plain", {}, Path, true, SetFace<TArtFace::Plain>},
    {"--wrap", {}, Path, true,
     [](TRenderOptions& o, const std::string& v) { o.Artwork.Wrap = PathValue("--wrap", v); }},
    {"--wrap-spine", {}, Text, true,
     [](TRenderOptions& o, const std::string& v) {
         o.Artwork.WrapSpine = ParseCount("--wrap-spine", v, 1, MaxWrapSpine);
     }},
    {"--box", {}, Text, true, [](TRenderOptions& o, const std::string& v) { ParseBox(v, o.Artwork); }},
    {"--book", {}, None, true,
     [](TRenderOptions& o, const std::string& v) { o.Artwork.Book = SwitchValue("--book", v); }},
    {"--open", {}, None, true,
     [](TRenderOptions& o, const std::string& v) { o.Artwork.Open = SwitchValue("--open", v); }},
    {"--show-floor", {}, None, true,
     [](TRenderOptions& o, const std::string& v) { o.Artwork.ShowFloor = SwitchValue("--show-floor", v); }},
    {"--show-background", {}, None, true,
     [](TRenderOptions& o, const std::string& v) {
         o.Artwork.ShowBackground = SwitchValue("--show-background", v);
     }},
};

const TOptionRule& FindOption(const std::string& name)
{
    for (const TOptionRule& rule : OptionRules)
        if (name == rule.Name || name == rule.Alias)
            return rule;
    Refuse("unknown option " + name);
}

// The rule whose column a list's header names, or null.
const TOptionRule* FindColumn(std::string_view column)
{
    for (const TOptionRule& rule : OptionRules) {
        const std::string_view name = rule.Name.starts_with("--") ? rule.Name : rule.Alias;
        if (rule.PerRow && name.substr(2) == column)
            return &rule;
    }
    return nullptr;
}

std::string InFolder(const std::string& folder, const std::string& path)
{
    return folder.empty() || path.empty() || path.front() == '/' ? path : folder + "/" + path;
}

} // namespace

TRenderOptions ParseRenderArguments(const std::vector<std::string>& args)
{
    TRenderOptions options;
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
        if (!options.Given.insert(std::string(rule.Name)).second)
            Refuse(std::string(rule.Name) + " is given twice: give each option once");
        if (rule.Value == None && value)
            Refuse(name + " takes no value");
        if (rule.Value != None && !value) {
            if (i + 1 >= args.size())
                Refuse(name + " needs a value");
            value = args[++i];
        }
        rule.Apply(options, value.value_or(std::string()));
    }
    if (options.Help)
        return options;
    if (options.Poses.empty())
        options.Poses = {AnglesPose("0,0")};
    CheckCommandLine(options);
    return options;
}

bool IsOptionColumn(std::string_view column)
{
    return column == "cover" || FindColumn(column) != nullptr;
}

TRenderOptions RowOptions(const TRenderOptions& options,
                          const std::vector<std::pair<std::string, std::string>>& cells,
                          const std::string& listFolder)
{
    TRenderOptions row = options;
    std::set<std::string> given;
    for (const auto& [column, value] : cells) {
        if (value.empty())
            continue;
        if (column == "cover") {
            row.Covers = {InFolder(listFolder, value)};
            continue;
        }
        const TOptionRule* rule = FindColumn(column);
        if (!rule)
            Refuse("a value in the column \"" + column + "\", which names no option");
        given.insert(std::string(rule->Name));
        rule->Apply(row, rule->Value == Path ? InFolder(listFolder, value) : value);
    }
    CheckTogether(row, given);
    // A row's pose replaces the command line's, whichever option gave it.
    if (given.contains("--preset") || given.contains("--angles"))
        row.Given.erase(given.contains("--preset") ? "--angles" : "--preset");
    row.Given.insert(given.begin(), given.end());
    CheckTogether(row, row.Given);
    CheckPictures(row);
    return row;
}
