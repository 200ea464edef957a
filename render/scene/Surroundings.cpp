#include "render/scene/Surroundings.h"

#include "cover/TextureImage.h"
#include "render/scene/FadeTexture.h"
#include "render/framing/Ground.h"
#include "view/Frame.h"
#include "view/ViewCamera.h"

#include <algorithm>
#include <cmath>

namespace {

// The billboard's centre in eye space; it faces the eye.
constexpr double BackgroundX = BoxCentreX + BackgroundOffsetX;
constexpr double BackgroundY = BoxCentreY;
constexpr double BackgroundDepth = -(BoxCentreZ + BackgroundOffsetZ);

// A little more than covering, so that moving the frustum by a fraction of a
// pixel for antialiasing never shows the billboard's edge.
constexpr double CoverSlack = 1.02;

} // namespace

double BackgroundScale(const TViewRect& frame)
{
    const double x = BackgroundX / BackgroundDepth, y = BackgroundY / BackgroundDepth;
    const double reach = std::max({x - frame.Left, frame.Right - x, y - frame.Bottom, frame.Top - y});
    return std::max(1.0, CoverSlack * reach * BackgroundDepth / BackgroundHalfSide);
}

TDepthRange FloorFadeDepths(const TShape& shape, float xRotation, float yRotation, bool showBackground)
{
    double farthest = 0.0, size = 0.0;
    ForEachVertex(shape, [&](const TShapeVertex& v) {
        farthest = std::max(farthest, -EyePoint(v.X, v.Y, v.Z, xRotation, yRotation).Z);
        size = std::max({size, 2.0 * std::abs(v.X), 2.0 * std::abs(v.Y), 2.0 * std::abs(v.Z)});
    });
    size = std::max(size, 1.0);
    if (!showBackground)
        return {farthest, farthest + 3.0 * size};
    return {std::min(farthest, BackgroundDepth - size / 2.0), BackgroundDepth};
}

std::array<TBoxVertex, 4> FloorPatch(const TBoxQuad& windowFloor, double y, const TEyePoint& eye,
                                     const TViewRect& frame, double fadeEnd)
{
    // The window's floor is a square along x and z: s follows x, t follows z.
    const TBoxVertex& a = windowFloor.Vertices[0];
    const TBoxVertex& b = windowFloor.Vertices[2];
    auto s = [&](double x) { return float(a.S + (x - a.X) * (b.S - a.S) / (b.X - a.X)); };
    auto t = [&](double z) { return float(a.T + (z - a.Z) * (b.T - a.T) / (b.Z - a.Z)); };
    // A point of the floor at depth d or less that the frame shows is at most
    // d times the length of the frame's farthest corner ray from the eye.
    const double fx = std::max(std::abs(frame.Left), std::abs(frame.Right));
    const double fy = std::max(std::abs(frame.Bottom), std::abs(frame.Top));
    const double half = CoverSlack * fadeEnd * std::sqrt(1.0 + fx * fx + fy * fy);
    const double left = eye.X - half, right = eye.X + half, near = eye.Z - half, far = eye.Z + half;
    const float h = float(y);
    return {{{s(left), t(near), float(left), h, float(near)},
             {s(right), t(near), float(right), h, float(near)},
             {s(right), t(far), float(right), h, float(far)},
             {s(left), t(far), float(left), h, float(far)}}};
}

void DrawCoveringBackground(const TViewRect& frame, const TTextureImage* floorTexture, double brightness)
{
    const GLfloat scale = GLfloat(BackgroundScale(frame));
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslated(BackgroundX, BackgroundY, -BackgroundDepth);
    glScalef(scale, scale, 1.0f);
    glDisable(GL_LIGHTING);
    // Blended, as the floor is: an image with alpha shows what lies beyond it.
    glEnable(GL_BLEND);
    glColor4d(brightness, brightness, brightness, 1.0);
    // Right and up are the eye's own: the billboard faces it.
    DrawBackground(TViewBasis{{1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}}, floorTexture);
}

void DrawFadingFloor(const std::array<TBoxVertex, 4>& patch, const TTextureImage* floorTexture, double brightness,
                     GLuint fadeTexture, const std::array<double, 4>& depthPlane, const TDepthRange& fade)
{
    const TFadeMap map = FadeMap(std::max(fade.End - fade.Start, 1e-6));
    // s = Scale * (depth - Start) + Offset, the depth being the plane's.
    const std::array<double, 4> plane{map.Scale * depthPlane[0], map.Scale * depthPlane[1],
                                      map.Scale * depthPlane[2],
                                      map.Scale * (depthPlane[3] - fade.Start) + map.Offset};
    BeginFade(fadeTexture, GL_OBJECT_LINEAR, plane);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glColor4d(brightness, brightness, brightness, 1.0);
    if (floorTexture)
        floorTexture->Bind();
    glBegin(GL_QUADS);
    for (const TBoxVertex& v : patch) {
        glTexCoord2f(v.S, v.T);
        glVertex3f(v.X, v.Y, v.Z);
    }
    glEnd();
    EndFade();
}
