// Feeds arbitrary command lines to plenamar-render's argument parser: the
// bytes split at each NUL into arguments. Every input gives options or a
// usage error, never a crash; accepted options always plan a picture.
#include "render/RenderPlan.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> args(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\0')
            args.emplace_back();
        else
            args.back().push_back(char(data[i]));
    }
    try {
        const TRenderOptions options = ParseRenderArguments(args);
        if (!options.Help && PlanPictures(options).empty())
            std::abort();
    } catch (const TUsageError&) {
    }
    return 0;
}
