#include "render/scene/SeeThrough.h"

#include "render/framing/SceneBounds.h"
#include "render/scene/StudioBox.h"

#include <GL/gl.h>
#include <algorithm>

std::vector<TTriangleAt> FarToNear(const TShape& shape, float xRotation, float yRotation)
{
    const std::array<double, 4> plane = DepthPlane(xRotation, yRotation);
    std::vector<std::pair<double, TTriangleAt>> depths;
    for (size_t p = 0; p < shape.Parts.size(); ++p) {
        const TShapePart& part = shape.Parts[p];
        if (!part.Material.SeeThrough())
            continue;
        for (size_t i = 0; i + 3 <= part.Triangles.size(); i += 3) {
            double depth = 0.0;
            for (size_t c = i; c < i + 3; ++c)
                depth += plane[0] * part.Triangles[c].X + plane[1] * part.Triangles[c].Y +
                         plane[2] * part.Triangles[c].Z + plane[3];
            depths.push_back({depth, {p, i}});
        }
    }
    std::stable_sort(depths.begin(), depths.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<TTriangleAt> order;
    for (const auto& [depth, at] : depths)
        order.push_back(at);
    return order;
}

void DrawSeeThrough(const TShape& shape, float xRotation, float yRotation, bool lit)
{
    const std::vector<TTriangleAt> order = FarToNear(shape, xRotation, yRotation);
    if (order.empty())
        return;
    glPushAttrib(GL_ENABLE_BIT | GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT | GL_LIGHTING_BIT | GL_CURRENT_BIT);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    if (lit)
        glEnable(GL_LIGHTING);
    else
        glDisable(GL_LIGHTING);
    const TShapePart* current = nullptr;
    glBegin(GL_TRIANGLES);
    for (const TTriangleAt& at : order) {
        const TShapePart& part = shape.Parts[at.Part];
        if (&part != current) {
            current = &part;
            const std::array<float, 4>& c = part.Material.Colour;
            glColor4f(c[0] * c[3], c[1] * c[3], c[2] * c[3], c[3]);
            if (lit)  // glMaterial may come between glBegin and glEnd
                SetGloss(part.Material.Finish == TFinish::Glossy);
        }
        for (size_t i = at.First; i < at.First + 3; ++i) {
            const TShapeVertex& v = part.Triangles[i];
            glNormal3f(v.NX, v.NY, v.NZ);
            glVertex3f(v.X, v.Y, v.Z);
        }
    }
    glEnd();
    glPopAttrib();
}
