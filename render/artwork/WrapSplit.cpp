#include "render/artwork/WrapSplit.h"

#include "platform/Error.h"

#include <algorithm>
#include <cmath>

TWrapSplit ProportionalSplit(float width, float depth)
{
    const double share = double(depth) / (2.0 * double(width) + double(depth));
    if (!(share > 0.0 && share < 1.0))
        throw TError("the box's width and depth give no spine to cut from the wrap scan: give --wrap-spine PIXELS");
    return {.SpineShare = share};
}

TWrapWidths WrapWidths(int scanWidth, const TWrapSplit& split, const std::string& scanName)
{
    const long spine = split.SpinePixels > 0 ? split.SpinePixels
                                             : std::max(1L, std::lround(split.SpineShare * double(scanWidth)));
    if (scanWidth - spine < 2)
        throw TError("Cannot cut " + scanName + " into back, spine and front: a spine of " + std::to_string(spine) +
                     " pixels leaves no room for the covers in its " + std::to_string(scanWidth) + " columns");
    const int rest = scanWidth - int(spine);
    return {rest / 2, int(spine), rest - rest / 2};
}
