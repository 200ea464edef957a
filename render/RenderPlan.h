#pragma once
// The pictures one run makes: every pose of every box, in that order, each
// with the file it goes to.
#include "render/ImageFile.h"
#include "render/RenderOptions.h"

#include <string>
#include <vector>

// The boxes of a run: one for each cover file, with the face and box options
// given, or those options' own box when no cover file is given.
std::vector<TBoxArtwork> RunBoxes(const TRenderOptions& options);

struct TPictureJob {
    size_t Box;  // index into RunBoxes
    TPose Pose;
    std::string OutputFile;
    TImageFormat Format;
};

// With -o, the one picture goes to that file; with --out-dir, each goes to
// DIR/<box>-<pose>.png, <box> being the name of the box's cover file (or
// else of its front image, or its wrap scan) without its extension. Raises
// TUsageError when two pictures would go to the same file.
std::vector<TPictureJob> PlanPictures(const TRenderOptions& options);

// "box" for "art/box.cov", "box.v2" for "box.v2.cov", "box" for "box".
std::string CoverStem(const std::string& coverFile);
