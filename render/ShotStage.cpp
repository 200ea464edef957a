#include "render/ShotStage.h"

#include "render/FadeTexture.h"
#include "render/Shadow.h"
#include "render/StudioBox.h"

TShotStage::TShotStage(const TShotStyle& style) : Style(style)
{
    FloorFade = MakeFadeTexture(FloorFadeLevels());
    if (Style.Look == TLook::Studio && Style.Reflection > 0.0)
        ReflectionFade = MakeFadeTexture(ReflectionFadeLevels(Style.Reflection));
}

TShotStage::~TShotStage()
{
    glDeleteLists(List, 1);
    const GLuint textures[] = {Shadow, FloorFade, ReflectionFade};
    glDeleteTextures(3, textures);
}

TShotScene TShotStage::Scene(const TCoverSetup& setup, const TFaceTextures& textures)
{
    const float width = float(setup.Width), height = float(setup.Height), depth = float(setup.Depth);
    TShotScene scene{.Style = Style,
                     .Quads = BoxQuads(width, height, depth, setup.Box),
                     .Ground = GroundOf(width, height, depth),
                     .ShowBackground = setup.ShowBackground,
                     .FloorTexture = textures[size_t(TFaceSlot::Floor)]};
    if (Style.Look == TLook::Window) {
        // The floor is drawn apart, reaching as far as the picture does.
        TBoxOptions box = setup.Box;
        box.Floor = false;
        List = CompileBoxList(List, width, height, depth, box, textures);
    } else {
        List = CompileStudioBoxList(List, scene.Quads, textures);
    }
    glDeleteTextures(1, &Shadow);
    Shadow = 0;
    if (Style.Look == TLook::Studio && Style.Shadow > 0.0 && scene.Ground.ShadowReach > 0.0)
        Shadow = MakeShadowTexture(scene.Ground);
    scene.BoxList = List;
    scene.ShadowTexture = Shadow;
    scene.FloorFade = FloorFade;
    scene.ReflectionFade = ReflectionFade;
    return scene;
}
