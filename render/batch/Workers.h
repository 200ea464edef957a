#pragma once
// Drawing in worker processes (--jobs N): N workers, each with its own
// rendering context for the whole run, fed box by box from one queue as they
// free up, so that a box's poses stay in one worker and its images are read
// once. The workers are forked before this process has made any GL or Qt
// object (it never makes one), so each starts clean; they report each
// picture back, and this process does all the reporting.
//
// A worker that dies (a crash, a kill, no memory) fails the pictures of its
// box it had not finished, with the reason, and a fresh one takes its place.
// A stop (StopSignal.h) stops them all: each abandons its picture, leaving no
// temporary file.
#include "render/batch/PictureDrawer.h"

// Draws the groups (BoxGroups) with workers processes, calling done in this
// process for each picture. Returns when all are done or a stop was asked
// for. Raises TError when a worker cannot make its rendering context.
void DrawInWorkers(const std::vector<TRunBox>& boxes, const std::vector<TPictureJob>& jobs,
                   const std::vector<std::pair<size_t, size_t>>& groups, int workers, const TPictureDone& done);
