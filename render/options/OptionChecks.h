#pragma once
// The checks across options: what goes together, what each way of giving the
// boxes needs, and whether the pictures asked for can be written. Each raises
// TUsageError with a message for the user.
#include "render/options/RenderOptions.h"

#include <set>
#include <string>

// The pictures the options make, checked as a whole: the box, where they go
// and in what format.
void CheckPictures(const TRenderOptions& options);

// The options that do not go together, among those given.
void CheckTogether(const TRenderOptions& options, const std::set<std::string>& given);

// The checks of a whole command line.
void CheckCommandLine(const TRenderOptions& options);
