// Feeds arbitrary command lines to plenamar-render's argument parser: the
// bytes split at each NUL into arguments. Every input gives options or a
// usage error, never a crash; accepted options always plan a picture.
#include "fuzz/FuzzArguments.h"
#include "render/batch/RenderPlan.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<std::string> args = FuzzArguments(data, size);
    try {
        const TRenderOptions options = ParseRenderArguments(args);
        std::vector<TRunBox> boxes = RunBoxes(options);
        if (!options.Help && options.ListFile.empty() && PlanPictures(boxes, options).empty())
            std::abort();
    } catch (const TUsageError&) {
    }
    return 0;
}
