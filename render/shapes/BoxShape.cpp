#include "render/shapes/BoxShape.h"

#include <algorithm>
#include <cmath>

std::vector<TLitQuad> OutwardQuads(const std::vector<TBoxQuad>& quads)
{
    std::vector<TLitQuad> lit;
    for (const TBoxQuad& quad : quads) {
        // Newell's normal, and the quad's centre.
        double n[3] = {}, c[3] = {};
        for (size_t i = 0; i < 4; ++i) {
            const TBoxVertex& a = quad.Vertices[i];
            const TBoxVertex& b = quad.Vertices[(i + 1) % 4];
            n[0] += (a.Y - b.Y) * (a.Z + b.Z);
            n[1] += (a.Z - b.Z) * (a.X + b.X);
            n[2] += (a.X - b.X) * (a.Y + b.Y);
            c[0] += a.X, c[1] += a.Y, c[2] += a.Z;
        }
        const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        TLitQuad out{quad, {0.0f, -1.0f, 0.0f}};
        if (length > 0.0) {
            const double side = n[0] * c[0] + n[1] * c[1] + n[2] * c[2] < 0.0 ? -1.0 : 1.0;
            out.Normal = {float(side * n[0] / length), float(side * n[1] / length), float(side * n[2] / length)};
            if (side < 0.0)
                std::reverse(out.Quad.Vertices.begin(), out.Quad.Vertices.end());
        }
        lit.push_back(out);
    }
    return lit;
}
