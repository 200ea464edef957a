#include "render/export/ModelFrame.h"

TModelVertex ModelVertex(const TShapeVertex& v, const TBoxSize& size)
{
    const double lowest = size.Height / 2.0;  // the shape's lower side
    return {.Position = {float(v.X * MetresPerUnit), float((lowest - v.Y) * MetresPerUnit),
                         float(-v.Z * MetresPerUnit)},
            .Normal = {v.NX, -v.NY, -v.NZ},
            .TexCoord = {v.S, 1.0f - v.T}};
}
