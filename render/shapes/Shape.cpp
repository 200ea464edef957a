#include "render/shapes/Shape.h"

#include <algorithm>

bool ShowsArt(const TShape& shape, TArtFace face)
{
    return std::any_of(shape.Parts.begin(), shape.Parts.end(),
                       [&](const TShapePart& part) { return part.Art == face && !part.Triangles.empty(); });
}

bool IsGlossy(const TShape& shape)
{
    return std::any_of(shape.Parts.begin(), shape.Parts.end(),
                       [](const TShapePart& part) { return part.Material.Finish == TFinish::Glossy; });
}

bool HasSeeThrough(const TShape& shape)
{
    return std::any_of(shape.Parts.begin(), shape.Parts.end(),
                       [](const TShapePart& part) { return part.Material.SeeThrough(); });
}
