#include "render/ShotStage.h"

#include "render/FadeTexture.h"
#include "render/Shadow.h"
#include "render/ShotBoxList.h"

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

TShotScene TShotStage::Scene(const TBoxSetup& setup)
{
    const TBoxSize& size = setup.Size;
    TShotScene scene{.Style = Style,
                     .Quads = BoxQuads(size.Width, size.Height, size.Depth, setup.Box),
                     .Ground = GroundOf(size.Width, size.Height, size.Depth),
                     .ShowBackground = setup.ShowBackground,
                     .FloorTexture = setup.Textures[size_t(TArtFace::Floor)]};
    List = CompileShotBoxList(List, scene.Quads, setup.Textures, Style.Look);
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
