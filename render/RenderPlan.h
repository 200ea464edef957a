#pragma once
// The pictures one run makes: every pose of every cover, in that order, each
// with the file it goes to.
#include "render/ImageFile.h"
#include "render/RenderOptions.h"

#include <string>
#include <vector>

struct TPictureJob {
    size_t Cover;  // index into TRenderOptions::Covers
    TPose Pose;
    std::string OutputFile;
    TImageFormat Format;
};

// With -o, the one picture goes to that file; with --out-dir, each goes to
// DIR/<cover>-<pose>.png, <cover> being the cover file's name without its
// extension. Raises TUsageError when two pictures would go to the same file.
std::vector<TPictureJob> PlanPictures(const TRenderOptions& options);

// "box" for "art/box.cov", "box.v2" for "box.v2.cov", "box" for "box".
std::string CoverStem(const std::string& coverFile);
