#pragma once
// The outputs that are a 3D model of the box rather than a picture: a file
// named ".glb", with its poster beside it (--poster), or a web page's folder
// (--web DIR), and the checks of their options.
#include "render/options/RenderOptions.h"

#include <string>

// ".glb" in any case.
bool IsGlbFile(const std::string& fileName);

// The poster beside a model: "box.png" for "art/box.glb".
std::string PosterFileOf(const std::string& modelFile);

// Refuses --web with another output, a list or more than one picture, and
// --poster and --texture-size without a model to write.
void CheckModelOptions(const TRenderOptions& options);
