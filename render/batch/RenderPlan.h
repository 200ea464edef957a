#pragma once
// The boxes of one run, each with the options it is drawn with, and the
// pictures they make: every pose of every box, in that order, each with the
// file it goes to.
#include "render/picture/ImageFile.h"
#include "render/batch/ItemList.h"
#include "render/options/RenderOptions.h"

#include <map>
#include <string>
#include <vector>

struct TRunBox {
    TRenderOptions Options{};  // the command line's, with a list row's cells applied
    TBoxArtwork Artwork{};     // with its cover file, if any
    std::string Label{};       // how messages name it: its cover file or image, or "LIST row N"
    std::map<std::string, std::string> Fields{};  // what --name may use: name, row and a row's cells
    std::string Problem{};     // why it cannot be drawn; empty when it can
};

// Without a list: one box for each cover file, with the face and box options
// given, or those options' own box when no cover file is given.
std::vector<TRunBox> RunBoxes(const TRenderOptions& options);

// One box for each row of the list read from options.ListFile (RowOptions),
// its paths taken from the list's folder; a row that cannot be drawn has its
// Problem. Besides the options' columns, "name", "output" and the columns
// --name reads are known; a value in any other column is a problem.
std::vector<TRunBox> ListBoxes(const TRenderOptions& options, const TItemList& list);

// The frame of a job that is no spin's.
constexpr int NoFrame = -1;

// What a job writes: a picture of the box, or its 3D model (GlbFile.h), or
// the web page that shows the model (WebPage.h).
enum class TJobKind { Picture, Model, Page };

struct TPictureJob {
    size_t Box;  // index into the boxes
    TPose Pose;  // a spin's first frame's
    std::string OutputFile;
    TImageFormat Format;  // a picture's
    int Frame = NoFrame;      // which frame of the pose's spin, from 0
    std::string FrameFile{};  // where a frame of an animated WebP waits for the others (SpinAssembly.h)
    TJobKind Kind = TJobKind::Picture;
};

// Whether the job draws a frame of an animated WebP, which all the frames
// of its pose's spin make together.
inline bool IsAnimationFrame(const TPictureJob& job)
{
    return job.Frame != NoFrame && job.Format == TImageFormat::WebP;
}

// A box's picture goes to its -o file; else into DIR of --out-dir, named by
// its row's "output" cell, or by --name, or else <box>-<pose>.png (the
// extension that of --format), <box> being the name cell or the name of the
// box's cover file (or else of its front image, or its wrap scan) without its
// extension. A spin (--spin, --swing) makes a job for each frame of each
// pose, in order: into one .webp, or into pictures numbered by %d or %03d in
// the -o file or output cell (NumberedName), by {frame} in --name (the
// frame's number with as many digits as the last frame's), or else named
// <box>-<pose>-<frame>.png. A picture whose name is not
// safe (PictureNames.h), not of a format, or taken by an earlier picture
// gives its box a Problem, and the box no pictures. Raises TUsageError for
// an unknown field of --name, and without a list for any problem.
std::vector<TPictureJob> PlanPictures(std::vector<TRunBox>& boxes, const TRenderOptions& options);

// Whether the box at that index, among all of a run's, is the shard's.
inline bool InShard(size_t box, const TShard& shard)
{
    return box % size_t(shard.Count) == size_t(shard.Index);
}

// "box" for "art/box.cov", "box.v2" for "box.v2.cov", "box" for "box".
std::string CoverStem(const std::string& coverFile);
