#include "render/scene/StudioBox.h"

#include "render/framing/SceneBounds.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// In the box's own frame the front cover faces -z, the back +z, the top -y
// and the spine +x. The key comes from 35 degrees above the cover the eye
// sees; the fills from either side; the rest is ambient.
constexpr double KeyElevation = 35.0 * std::numbers::pi / 180.0;

std::array<double, 3> KeyDirection(TKeySide side)
{
    const double z = std::cos(KeyElevation);
    return {0.0, -std::sin(KeyElevation), side == TKeySide::Front ? -z : z};
}

constexpr double Ambient = 0.50;
constexpr double Key = 0.55;
constexpr double Fill = 0.12;
constexpr double Glare = 0.55;
const std::array<std::array<double, 3>, 2> FillDirections{{{1.0, 0.0, 0.0}, {-1.0, 0.0, 0.0}}};

double Dot(const std::array<double, 3>& a, const std::array<double, 3>& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// A light at `at` (w = 0: towards the direction at gives) of the diffuse
// and specular strengths given, white, with no ambient of its own.
void SetLight(GLenum light, const std::array<double, 3>& at, GLfloat w, double diffuse, double specular)
{
    const GLfloat position[] = {GLfloat(at[0]), GLfloat(at[1]), GLfloat(at[2]), w};
    const GLfloat lit[] = {GLfloat(diffuse), GLfloat(diffuse), GLfloat(diffuse), 1.0f};
    const GLfloat shine[] = {GLfloat(specular), GLfloat(specular), GLfloat(specular), 1.0f};
    const GLfloat none[] = {0.0f, 0.0f, 0.0f, 1.0f};
    glEnable(light);
    glLightfv(light, GL_POSITION, position);
    glLightfv(light, GL_AMBIENT, none);
    glLightfv(light, GL_DIFFUSE, lit);
    glLightfv(light, GL_SPECULAR, shine);
}

} // namespace

TKeySide KeySideFor(float xRotation, float yRotation)
{
    return EyeInBoxFrame(xRotation, yRotation).Z > 0.0 ? TKeySide::Back : TKeySide::Front;
}

double StudioBrightness(const std::array<double, 3>& n, TKeySide side)
{
    double light = Ambient + Key * std::max(0.0, Dot(n, KeyDirection(side)));
    for (const auto& fill : FillDirections)
        light += Fill * std::max(0.0, Dot(n, fill));
    return std::min(light, 1.0);
}

double StudioGroundBrightness()
{
    return StudioBrightness({0.0, -1.0, 0.0});
}

std::array<double, 3> GlossLamp(const TBoxSize& size, float xRotation, float yRotation)
{
    // Where the highlight lies: a little above and to the left of the middle
    // of the cover the key light falls on, as the eye sees it.
    const double side = KeySideFor(xRotation, yRotation) == TKeySide::Front ? -1.0 : 1.0;
    const std::array<double, 3> at{side * 0.25 * size.Width, -0.3 * size.Height, side * size.Depth / 2.0};
    const TEyePoint eye = EyeInBoxFrame(xRotation, yRotation);
    // The lamp lies where that point mirrors the eye: the way to it is the
    // way to the eye turned about the cover's normal.
    const std::array<double, 3> toEye{eye.X - at[0], eye.Y - at[1], eye.Z - at[2]};
    return {at[0] - toEye[0], at[1] - toEye[1], at[2] + toEye[2]};
}

void SetGloss(bool glossy)
{
    const GLfloat gloss[] = {0.5f, 0.5f, 0.5f, 1.0f}, none[] = {0.0f, 0.0f, 0.0f, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, glossy ? gloss : none);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, glossy ? 60.0f : 0.0f);
}

void ApplyStudioLights(TKeySide side, const std::array<double, 3>* glossLamp)
{
    const GLfloat ambient[] = {GLfloat(Ambient), GLfloat(Ambient), GLfloat(Ambient), 1.0f};
    const GLfloat none[] = {0.0f, 0.0f, 0.0f, 1.0f};
    glEnable(GL_LIGHTING);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    SetLight(GL_LIGHT0, KeyDirection(side), 0.0f, Key, 0.0);
    SetLight(GL_LIGHT1, FillDirections[0], 0.0f, Fill, 0.0);
    SetLight(GL_LIGHT2, FillDirections[1], 0.0f, Fill, 0.0);
    // Colour material makes ambient and diffuse the current colour (white).
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, none);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, none);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    if (!glossLamp)
        return;
    // The lamp only glossy parts show, its light added after the texture.
    SetLight(GL_LIGHT3, *glossLamp, 1.0f, 0.0, Glare);
    glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
}
