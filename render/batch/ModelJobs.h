#pragma once
// The jobs of a run that write no picture: a box's 3D model and its web
// page. Needs no rendering context.
#include "render/batch/RenderPlan.h"

// Writes the job's model (GlbFile.h) or page (WebPage.h). Raises TError when
// an image cannot be read or the file cannot be written.
void WriteModelJob(const TRunBox& box, const TPictureJob& job);
