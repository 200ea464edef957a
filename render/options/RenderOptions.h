#pragma once
// The command line of plenamar-render:
//
//     plenamar-render [options] COVER.cov...
//     plenamar-render [options] --front FILE ...
//
// The face and box options describe a box (BoxArtwork.h): with cover files
// they override each cover's own values, without one they are the box.
// Parsing checks every option on its own and against the others, and each
// option may be given once; a mistake raises TUsageError with a message for
// the user, and the tool then exits 2.
#include "platform/Error.h"
#include "render/artwork/BoxArtwork.h"
#include "render/scene/ShotStyle.h"
#include "render/options/Spin.h"
#include "render/picture/ImageFile.h"
#include "render/picture/Tiles.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

class TUsageError : public TError {
public:
    using TError::TError;
};

// Which share of a run's boxes this run draws: every Count-th, starting at
// Index (0 <= Index < Count).
struct TShard {
    int Index = 0;
    int Count = 1;

    bool operator==(const TShard&) const = default;
};

// The pose of a box given neither --preset nor --angles: three quarters, the
// front with the spine beside it and a little of the top in view, the front
// the largest face. "0,0" looks straight at the front, as the window starts.
constexpr const char* DefaultAngles = "25,30";

struct TRenderOptions {
    std::vector<std::string> Covers;
    TBoxArtwork Artwork;  // --front ... --plain, --wrap, --wrap-spine, --box, --book, --open, --show-...
    std::string OutputFile;  // -o
    std::string OutputDir;   // --out-dir
    std::vector<TPose> Poses;  // DefaultAngles unless --preset or --angles
    TSpin Spin;                // --spin, --swing, --fps: each pose's spin
    int Quality = NoQuality;   // --quality, of a JPEG or WebP
    int PngLevel = DefaultPngLevel;  // --png-level, of a PNG
    std::optional<TImageFormat> Format;  // --format: the format of the names made in --out-dir
    int Width = 1150;
    int Height = 880;
    int Samples = 8;
    TShotStyle Style;  // --look, --shadow, --reflection, --margin, --transparent, --background
    int Tile = DefaultTileSide;
    bool Help = false;
    std::string ListFile;      // --list: one box a row
    std::string NameTemplate;  // --name
    int Jobs = 0;              // --jobs; 0: as many as the CPUs the process may use (UsableCpus.h)
    bool KeepNewer = false;    // --keep-newer
    std::optional<TShard> Shard;  // --shard K/N
    bool ShardAuto = false;       // --shard auto
    int ShardCount = 0;           // --shard-count
    std::set<std::string> Given;  // the options given, by their first names ("--size")
    // A 3D model's (ModelFile.h): its poster beside it, its textures' largest side, its web page's folder.
    bool Poster = false;       // --poster
    int TextureSide = 4096;    // --texture-size
    std::string WebDir;        // --web
};

// The largest side of a picture, and the most samples, that may be asked for.
// A picture is drawn in tiles and written row by row, so memory does not bound
// it; the formats do: a JPEG holds 65500 pixels a side, a BMP 4 GiB.
constexpr int MaxPictureSide = 65535;
constexpr int MaxSamples = 64;
// The smallest tile that may be asked for: smaller ones only take longer.
constexpr int MinTileSide = 16;
// The largest size of a box, and the widest spine of a wrap scan, in units and pixels.
constexpr float MaxBoxSide = 10000.0f;
constexpr int MaxWrapSpine = 1000000;
constexpr int MaxJobs = 1024;
constexpr int MaxShards = 1000000;
// The largest side of a 3D model's texture, which viewers and web shops take.
constexpr int MaxTextureSide = 4096;

// The arguments after the program's name. "--help" alone is enough; otherwise
// a cover file, --front or --wrap, and exactly one of -o and --out-dir are
// needed.
TRenderOptions ParseRenderArguments(const std::vector<std::string>& args);

// The options of one row of a list: options (the command line's) with each
// cell applied, by the column's name, through the same rules as the
// option of that name without its dashes ("front", "size", "show-floor"),
// and the "cover" column giving the cover file. A cell replaces the command
// line's value; an empty cell keeps it. Switches take 1, yes, true, on or 0,
// no, false, off. A relative path is taken from listFolder ("" for the
// working folder). Raises TUsageError, without the row's number, for an
// unknown column with a value, a malformed value, or options that do not go
// together.
TRenderOptions RowOptions(const TRenderOptions& options,
                          const std::vector<std::pair<std::string, std::string>>& cells,
                          const std::string& listFolder);

// Whether a list's column gives options (the "cover" column included).
bool IsOptionColumn(std::string_view column);

// The usage text, ending in a line break.
const std::string& RenderUsage();
