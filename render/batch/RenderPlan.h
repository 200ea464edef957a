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

// What a job writes: a picture of the box, or its 3D model (GlbFile.h), or
// the web page that shows the model (WebPage.h).
enum class TJobKind { Picture, Model, Page };

struct TPictureJob {
    size_t Box;  // index into the boxes
    TPose Pose;
    std::string OutputFile;
    TImageFormat Format;  // a picture's
    TJobKind Kind = TJobKind::Picture;
};

// A box's picture goes to its -o file, or its model to DIR/box.glb of --web;
// else into DIR of --out-dir, named by
// its row's "output" cell, or by --name, or else <box>-<pose>.png, <box> being
// the name cell or the name of the box's cover file (or else of its front
// image, or its wrap scan) without its extension. A picture whose name is not
// safe (PictureNames.h), not of a format (or a ".glb" model's, which
// brings its poster (--poster) and with --web its page too), or taken by an earlier picture
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
