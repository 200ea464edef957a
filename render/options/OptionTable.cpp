#include "render/options/OptionTable.h"

#include "render/options/OptionValues.h"

#include <array>

namespace {

// The options of the faces' images, in the order of TArtFace.
constexpr std::array<const char*, ArtFaceCount> FaceOptions{"--front", "--spine", "--back",
                                                            "--top",   "--floor", "--plain"};

template <TArtFace Face>
void SetFace(TRenderOptions& options, const std::string& value)
{
    options.Artwork.Faces[size_t(Face)] = PathValue(FaceOptions[size_t(Face)], value);
}

using enum TValue;
using enum TUsageSection;

const TOptionRule Rules[] = {
    {"-o", "--output", Path, false, [](TRenderOptions& o, const std::string& v) { o.OutputFile = PathValue("-o", v); },
     Run, "-o, --output FILE", "write the one picture to FILE (.png, .jpg, .bmp or .webp)"},
    {"--out-dir", {}, Text, false,
     [](TRenderOptions& o, const std::string& v) { o.OutputDir = PathValue("--out-dir", v); },
     Run, "--out-dir DIR",
     "write DIR/<box>-<pose>.png for every box and pose, <box> being\n"
     "the name of the cover file, or else of the front or the wrap\n"
     "(a spin's frames: DIR/<box>-<pose>-<frame>.png)"},
    {"--format", {}, Text, true, [](TRenderOptions& o, const std::string& v) { o.Format = ParseFormat(v); },
     Run, "--format FORMAT", "png, jpg, bmp or webp: the format of the pictures named in DIR\n(default png)"},
    {"--name", {}, Text, false,
     [](TRenderOptions& o, const std::string& v) { o.NameTemplate = PathValue("--name", v); },
     Run, "--name TEMPLATE",
     "the pictures' names in DIR instead, made from {name}, {pose},\n"
     "{row}, {frame} and the list's columns: '{name}.jpg',\n"
     "'{row}-{pose}.png', '{name}-{frame}.png'"},
    {"--list", {}, Text, false, [](TRenderOptions& o, const std::string& v) { o.ListFile = PathValue("--list", v); },
     Run, "--list FILE",
     "one box a row of a CSV file whose header names options without\n"
     "their dashes (front, size, preset, ...), cover, name and output"},
    {"--jobs", "-j", Text, false,
     [](TRenderOptions& o, const std::string& v) { o.Jobs = ParseCount("--jobs", v, 1, MaxJobs); },
     Run, "-j, --jobs N", "draw in N processes at once (default: one per CPU the process\n"
     "may use: its affinity, its cgroup's quota, SLURM_CPUS_PER_TASK)"},
    {"--keep-newer", {}, None, false, [](TRenderOptions& o, const std::string&) { o.KeepNewer = true; },
     Run, "--keep-newer",
     "skip a picture whose file is newer than each file of its box"},
    {"--shard", {}, Text, false, [](TRenderOptions& o, const std::string& v) { ParseShard(v, o); },
     Run, "--shard K/N|auto",
     "draw every N-th box from the K-th (0 <= K < N); auto: the\n"
     "index of a Kubernetes Indexed Job or a Slurm job array"},
    {"--shard-count", {}, Text, false,
     [](TRenderOptions& o, const std::string& v) { o.ShardCount = ParseCount("--shard-count", v, 1, MaxShards); },
     Run, "--shard-count N", "N for --shard auto in a Kubernetes Indexed Job"},
    {"--preset", {}, Text, true, [](TRenderOptions& o, const std::string& v) { o.Poses = PresetPoses(v); },
     Run, "--preset N|all", "the pose of style preset N (0 to 4), or all five"},
    {"--angles", {}, Text, true, [](TRenderOptions& o, const std::string& v) { o.Poses = {AnglesPose(v)}; },
     Run, "--angles X,Y",
     "turn the box X degrees about x and Y about y (default 25,30: three\n"
     "quarters, the front, the spine and a little of the top; 0,0: straight)"},
    {"--spin", {}, Text, true,
     [](TRenderOptions& o, const std::string& v) { o.Spin.Frames = ParseCount("--spin", v, 1, MaxSpinFrames); },
     Run, "--spin N",
     "draw N frames of one full turn of the box about its vertical\n"
     "axis from the pose: one looping .webp, or numbered frames\n"
     "({frame} in --name, or %03d in -o: spin-%03d.png)"},
    {"--swing", {}, Text, true,
     [](TRenderOptions& o, const std::string& v) { o.Spin.Swing = ParseDecimal("--swing", v, 1.0, MaxSwing); },
     Run, "--swing DEG",
     "instead rock the box DEG degrees either way and back, in the\n"
     "frames of --spin N (default 36)"},
    {"--fps", {}, Text, true,
     [](TRenderOptions& o, const std::string& v) { o.Spin.Fps = ParseDecimal("--fps", v, 1.0, MaxFps); },
     Run, "--fps F", "a spin's frames a second, 1 to 100 (default 25)"},
    {"--quality", {}, Text, true,
     [](TRenderOptions& o, const std::string& v) { o.Quality = ParseCount("--quality", v, 0, 100); },
     Run, "--quality Q",
     "a .jpg or .webp picture's quality, 0 to 100 (default: a JPEG\n"
     "at 95, a WebP lossless)"},
    {"--png-level", {}, Text, true,
     [](TRenderOptions& o, const std::string& v) { o.PngLevel = ParseCount("--png-level", v, 0, MaxPngLevel); },
     Run, "--png-level N",
     "a .png picture's compression, 0 (none: the largest files, the\n"
     "fastest) to 12 (the smallest, the slowest) (default 4)"},
    {"--size", {}, Text, true, [](TRenderOptions& o, const std::string& v) { ParseSize(v, o); },
     Run, "--size WxH",
     "picture size in pixels, 1 to 65535 a side (default 1150x880);\n"
     "a JPEG holds at most 65500 a side, a BMP at most 4 GiB"},
    {"--samples", {}, Text, true,
     [](TRenderOptions& o, const std::string& v) { o.Samples = ParseCount("--samples", v, 1, MaxSamples); },
     Run, "--samples N",
     "antialiasing samples per pixel, 1 to 64 (default 8; 1 turns it off)"},
    {"--look", {}, Text, true, [](TRenderOptions& o, const std::string& v) { o.Style.Look = ParseLook(v); },
     Run, "--look studio|window",
     "studio (the default): lit as a solid, with a soft shadow;\n"
     "window: the picture the window shows"},
    {"--shadow", {}, Text, true,
     [](TRenderOptions& o, const std::string& v) { o.Style.Shadow = ParseShare("--shadow", v, 1.0); },
     Run, "--shadow S", "the studio's contact shadow, 0 (none) to 1 (default 0.6)"},
    {"--reflection", {}, Text, true,
     [](TRenderOptions& o, const std::string& v) { o.Style.Reflection = ParseShare("--reflection", v, 1.0); },
     Run, "--reflection R",
     "the studio's reflection in a glossy floor, 0 (none) to 1 (default 0)"},
    {"--margin", {}, Text, true,
     [](TRenderOptions& o, const std::string& v) { o.Style.Margin = ParseShare("--margin", v, MaxMargin); },
     Run, "--margin M",
     "the margin around the box, a share of the picture: 0.05 or 5% (default)"},
    {"--tile", {}, Text, true,
     [](TRenderOptions& o, const std::string& v) { o.Tile = ParseCount("--tile", v, MinTileSide, MaxPictureSide); },
     Run, "--tile N",
     "draw in tiles of at most N x N pixels, 16 or more (default 1024,\n"
     "or what the OpenGL draws at once if less); smaller takes less memory"},
    {"--transparent", {}, None, true,
     [](TRenderOptions& o, const std::string& v) { o.Style.Transparent = SwitchValue("--transparent", v); },
     Run, "--transparent", "background alpha 0 (PNG or WebP only)"},
    {"--background", {}, Text, true,
     [](TRenderOptions& o, const std::string& v) { o.Style.Background = ParseColour(v); },
     Run, "--background RRGGBB", "background colour (default FFFFFF)"},
    {"--poster", {}, None, true,
     [](TRenderOptions& o, const std::string& v) { o.Poster = SwitchValue("--poster", v); },
     Run, "--poster",
     "a 3D model (-o FILE.glb) gets its poster beside it: a studio PNG\n"
     "of the same box (box.png beside box.glb)"},
    {"--texture-size", {}, Text, true,
     [](TRenderOptions& o, const std::string& v) {
         o.TextureSide = ParseCount("--texture-size", v, 1, MaxTextureSide);
     },
     Run, "--texture-size N",
     "a 3D model's textures at most N pixels a side (default and most\n"
     "4096); each is no larger than its image and 300 pixels an inch"},
    {"--web", {}, Path, false, [](TRenderOptions& o, const std::string& v) { o.WebDir = PathValue("--web", v); },
     Run, "--web DIR",
     "write DIR/box.glb, DIR/poster.png and DIR/index.html, a page that\n"
     "shows the box in <model-viewer> (put model-viewer.min.js beside it)"},
    {"--help", "-h", None, false, [](TRenderOptions& o, const std::string&) { o.Help = true; },
     Run, "--help", "this text"},
    {"--front", {}, Path, true, SetFace<TArtFace::Front>,
     Box, "--front FILE",
     "the front cover's image: PNG (alpha cuts it out), JPEG, WebP,\n"
     "TIFF, GIF, BMP or any other picture"},
    {"--back", {}, Path, true, SetFace<TArtFace::Back>,
     Box, "--back FILE", "the back cover's image (default: the front's)"},
    {"--spine", {}, Path, true, SetFace<TArtFace::Spine>,
     Box, "--spine FILE",
     "the spine's image (default: the colour of the front's edge)"},
    {"--top", {}, Path, true, SetFace<TArtFace::Top>,
     Box, "--top FILE",
     "the top and bottom's image (default: the colour of the spine's top)"},
    {"--floor", {}, Path, true, SetFace<TArtFace::Floor>,
     Box, "--floor FILE", "the floor and background image"},
    {"--plain", {}, Path, true, SetFace<TArtFace::Plain>,
     Box, "--plain FILE", "the open lid's flaps (default: the top's image)"},
    {"--wrap", {}, Path, true,
     [](TRenderOptions& o, const std::string& v) { o.Artwork.Wrap = PathValue("--wrap", v); },
     Box, "--wrap FILE",
     "one scan laid out back | spine | front, cut into those faces\n"
     "(--front, --spine and --back each win over their part)"},
    {"--wrap-spine", {}, Text, true,
     [](TRenderOptions& o, const std::string& v) {
         o.Artwork.WrapSpine = ParseCount("--wrap-spine", v, 1, MaxWrapSpine);
     },
     Box, "--wrap-spine PIXELS",
     "the width of the scan's spine (default: the box's proportions)"},
    {"--shape", {}, Text, true,
     [](TRenderOptions& o, const std::string& v) {
         o.Artwork.Shape = ShapeKindNamed(v);
         if (!o.Artwork.Shape)
             Refuse("--shape takes " + ShapeNames() + ", not \"" + v + "\"");
     },
     Box, "--shape NAME",
     "box (default), hardcover, paperback, dvd, bluray or jewel, at its\n"
     "real size; a cover's Shape key under [Properties] says it too"},
    {"--box", {}, Text, true, [](TRenderOptions& o, const std::string& v) { ParseBox(v, o.Artwork); },
     Box, "--box WxHxD|auto",
     "the sizes in cm (default 20x30x5, or the cover's, or the shape's);\n"
     "auto: 20 wide, the height from the front's aspect, the depth\n"
     "from the spine's"},
    {"--book", {}, None, true,
     [](TRenderOptions& o, const std::string& v) { o.Artwork.Book = SwitchValue("--book", v); },
     Box, "--book", "the book look: the pages set in from the covers"},
    {"--open", {}, None, true,
     [](TRenderOptions& o, const std::string& v) { o.Artwork.Open = SwitchValue("--open", v); },
     Box, "--open", "an open lid with its flaps"},
    {"--show-floor", {}, None, true,
     [](TRenderOptions& o, const std::string& v) { o.Artwork.ShowFloor = SwitchValue("--show-floor", v); },
     Box, "--show-floor", "the floor under the box"},
    {"--show-background", {}, None, true,
     [](TRenderOptions& o, const std::string& v) {
         o.Artwork.ShowBackground = SwitchValue("--show-background", v);
     },
     Box, "--show-background", "the floor image behind the box"},
};

} // namespace

std::span<const TOptionRule> OptionRules()
{
    return Rules;
}

const TOptionRule& FindOption(const std::string& name)
{
    for (const TOptionRule& rule : Rules)
        if (name == rule.Name || name == rule.Alias)
            return rule;
    Refuse("unknown option " + name);
}

const TOptionRule* FindColumn(std::string_view column)
{
    for (const TOptionRule& rule : Rules) {
        const std::string_view name = rule.Name.starts_with("--") ? rule.Name : rule.Alias;
        if (rule.PerRow && name.substr(2) == column)
            return &rule;
    }
    return nullptr;
}
