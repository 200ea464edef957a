#include "render/scene/ShotScene.h"

#include "render/scene/CutOut.h"
#include "render/scene/Reflection.h"
#include "render/framing/SceneBounds.h"
#include "render/scene/SeeThrough.h"
#include "render/scene/Shadow.h"
#include "render/scene/StudioBox.h"
#include "render/scene/Surroundings.h"
#include "view/Frame.h"
#include "view/ViewCamera.h"

namespace {

std::array<float, 4> ClearColour(const TShotStyle& style)
{
    if (style.Transparent)
        return {0.0f, 0.0f, 0.0f, 0.0f};
    const uint32_t rgb = style.Background;
    return {float(rgb >> 16 & 0xFF) / 255.0f, float(rgb >> 8 & 0xFF) / 255.0f, float(rgb & 0xFF) / 255.0f, 1.0f};
}

// The modelview of the box's own frame, as the window's frame turns it.
void LoadBoxTurn(const TShotScene& scene)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(BoxCentreX, BoxCentreY, BoxCentreZ);
    glRotatef(BoxHalfTurn, 1.0f, 0.0f, 0.0f);
    glRotatef(scene.XRotation, 1.0f, 0.0f, 0.0f);
    glRotatef(scene.YRotation, 0.0f, 1.0f, 0.0f);
}

void DrawBox(const TShotScene& scene)
{
    const std::array<float, 4> clear = ClearColour(scene.Style);
    BeginCutOut();
    if (scene.Style.Look == TLook::Window) {
        DrawScene({.XRotation = scene.XRotation,
                   .YRotation = scene.YRotation,
                   .ShowBackground = false,
                   .BoxList = scene.BoxList,
                   .FloorTexture = scene.FloorTexture,
                   .ClearColour = clear});
    } else {
        glClearColor(clear[0], clear[1], clear[2], clear[3]);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        LoadBoxTurn(scene);
        const std::array<double, 3> lamp = GlossLamp(scene.Shape.Size, scene.XRotation, scene.YRotation);
        ApplyStudioLights(KeySideFor(scene.XRotation, scene.YRotation), IsGlossy(scene.Shape) ? &lamp : nullptr);
        if (scene.CullsBackFaces)
            glEnable(GL_CULL_FACE);
        glCallList(scene.BoxList);
        glDisable(GL_CULL_FACE);
    }
    EndCutOut();
}

void DrawFloor(const TShotScene& scene, const TViewRect& frame, double brightness)
{
    const TBoxQuad& windowFloor = *scene.Floor;
    // The studio's floor is the ground the box stands on; the window's lies
    // a unit below it.
    const double y = scene.Style.Look == TLook::Studio ? scene.Ground.Y : double(windowFloor.Vertices[0].Y);
    const TDepthRange fade = FloorFadeDepths(scene.Shape, scene.XRotation, scene.YRotation, scene.ShowBackground);
    const TEyePoint eye = EyeInBoxFrame(scene.XRotation, scene.YRotation);
    DrawFadingFloor(FloorPatch(windowFloor, y, eye, frame, fade.End), scene.FloorTexture, brightness, scene.FloorFade,
                    DepthPlane(scene.XRotation, scene.YRotation), fade);
}

} // namespace

TGround ShownGround(const TShotScene& scene)
{
    TGround ground = scene.Ground;
    const bool studio = scene.Style.Look == TLook::Studio &&
                        SeesGroundFromAbove(ground, scene.XRotation, scene.YRotation);
    if (!studio || scene.Style.Shadow <= 0.0)
        ground.ShadowReach = 0.0;
    if (!studio || scene.Style.Reflection <= 0.0)
        ground.ReflectionReach = 0.0;
    return ground;
}

std::optional<TFraming> FrameShot(const TShotScene& scene, int width, int height)
{
    return FrameShot(scene, {{scene.XRotation, scene.YRotation}}, width, height);
}

std::optional<TFraming> FrameShot(const TShotScene& scene, const std::vector<std::pair<float, float>>& turns,
                                  int width, int height)
{
    std::optional<TViewRect> all;
    TShotScene turned = scene;
    for (const auto& [x, y] : turns) {
        turned.XRotation = x;
        turned.YRotation = y;
        const std::optional<TViewRect> subject = SubjectBounds(scene.Shape, x, y, ShownGround(turned));
        if (!subject)
            return std::nullopt;
        all = !all ? *subject
                   : TViewRect{std::min(all->Left, subject->Left), std::max(all->Right, subject->Right),
                               std::min(all->Bottom, subject->Bottom), std::max(all->Top, subject->Top)};
    }
    if (!all)
        return std::nullopt;
    return FrameSubject(*all, width, height, scene.Style.Margin);
}

void DrawShotScene(const TShotScene& scene, const TViewRect& frame)
{
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_MODELVIEW);
    DrawBox(scene);
    // Everything else lies behind the box or below it, and is drawn over
    // what lies behind it in turn, as premultiplied colours.
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    const double brightness = scene.Style.Look == TLook::Studio ? StudioGroundBrightness() : 1.0;
    if (scene.ShowBackground)
        DrawCoveringBackground(frame, scene.FloorTexture, brightness);
    LoadBoxTurn(scene);
    const TGround ground = ShownGround(scene);
    // Seen from below, the studio's floor is not there: it would hide the box.
    if (scene.Floor &&
        (scene.Style.Look == TLook::Window || SeesGroundFromAbove(ground, scene.XRotation, scene.YRotation)))
        DrawFloor(scene, frame, brightness);
    if (ground.ShadowReach > 0.0 && scene.ShadowTexture != 0)
        DrawShadow(scene.ShadowTexture, ground, scene.Style.Shadow);
    if (ground.ReflectionReach > 0.0 && scene.ReflectionFade != 0)
        DrawReflection(scene.BoxList, scene.ReflectionFade, ground, scene.CullsBackFaces);
    // Last, the see-through parts over all that lies behind them.
    if (HasSeeThrough(scene.Shape))
        DrawSeeThrough(scene.Shape, scene.XRotation, scene.YRotation, scene.Style.Look == TLook::Studio);
    glPopAttrib();
}
