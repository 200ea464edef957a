#include "render/export/TextureSize.h"

#include <algorithm>
#include <cmath>

namespace {

double Length(double x, double y, double z)
{
    return std::sqrt(x * x + y * y + z * z);
}

double Side(int pixels, double millimetres)
{
    return std::min(double(pixels), std::ceil(millimetres * TexturePixelsPerMillimetre));
}

} // namespace

TImageSpan ImageSpan(const TShape& shape, TArtFace face)
{
    TImageSpan span;
    for (const TShapePart& part : shape.Parts) {
        if (part.Art != face)
            continue;
        for (size_t i = 0; i + 2 < part.Triangles.size(); i += 3) {
            const TShapeVertex& a = part.Triangles[i];
            const TShapeVertex& b = part.Triangles[i + 1];
            const TShapeVertex& c = part.Triangles[i + 2];
            // The position's change along s and along t over the triangle:
            // how far the whole image reaches each way.
            const double s1 = b.S - a.S, t1 = b.T - a.T, s2 = c.S - a.S, t2 = c.T - a.T;
            const double det = s1 * t2 - s2 * t1;
            if (std::abs(det) < 1e-12)
                continue;
            const double e1[3] = {b.X - a.X, b.Y - a.Y, b.Z - a.Z}, e2[3] = {c.X - a.X, c.Y - a.Y, c.Z - a.Z};
            double alongS[3], alongT[3];
            for (int k = 0; k < 3; ++k) {
                alongS[k] = (e1[k] * t2 - e2[k] * t1) / det;
                alongT[k] = (e2[k] * s1 - e1[k] * s2) / det;
            }
            span.Width = std::max(span.Width, Length(alongS[0], alongS[1], alongS[2]) * MillimetresPerUnit);
            span.Height = std::max(span.Height, Length(alongT[0], alongT[1], alongT[2]) * MillimetresPerUnit);
        }
    }
    return span;
}

TPixelSize TextureSize(TPixelSize image, const TImageSpan& span, int most)
{
    const double width = Side(image.Width, span.Width), height = Side(image.Height, span.Height);
    const double scale = std::min(1.0, most / std::max(width, height));
    return {std::max(1, int(std::lround(width * scale))), std::max(1, int(std::lround(height * scale)))};
}
