#pragma once
// A spin's frames on their way into one animated WebP: each frame is drawn,
// perhaps in a worker process of its own, into a frame file holding its
// pixels as drawn; once every frame is there, they are read in order and
// made into the animation, so that the file is the same whoever drew them.
#include "render/picture/PictureRows.h"

#include <functional>
#include <string>
#include <vector>

// Writes a frame width pixels wide, whose rows draw puts, to the frame file,
// with WriteFileAtomically: a crash leaves none half-written.
void WriteFrameFile(const std::string& fileName, int width, const std::function<void(TPictureRows& rows)>& draw);

// Writes the animated WebP (WebPAnimation.h) of the frame files, in order,
// each width x height pixels, shown fps times a second, with
// WriteFileAtomically. Raises TInOutError for a frame file that cannot be
// read or is not a frame of that size, and when the file cannot be written.
void WriteSpinFile(const std::string& fileName, const std::vector<std::string>& frameFiles, int width, int height,
                   int quality, double fps);
