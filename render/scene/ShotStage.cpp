#include "render/scene/ShotStage.h"

#include "render/framing/ShapeSolid.h"
#include "render/scene/FadeTexture.h"
#include "render/scene/Shadow.h"
#include "render/scene/ShotBoxList.h"

TShotStage::TShotStage(const TShotStyle& style) : Style_(style)
{
    FloorFade_ = MakeFadeTexture(FloorFadeLevels());
    Lines_ = MakePageLinesTexture();
    if (Style_.Look == TLook::Studio && Style_.Reflection > 0.0)
        ReflectionFade_ = MakeFadeTexture(ReflectionFadeLevels(Style_.Reflection));
}

TShotStage::~TShotStage()
{
    glDeleteLists(List_, 1);
    const GLuint textures[] = {Shadow_, FloorFade_, ReflectionFade_, Lines_};
    glDeleteTextures(4, textures);
}

TShotScene PlannedScene(const TShotStyle& style, const TBoxSetup& setup)
{
    const TBoxSize& size = setup.Size;
    TShotScene scene{.Style = style,
                     .Shape = setup.Shape,
                     .Floor = std::nullopt,
                     .Ground = GroundOf(size.Width, size.Height, size.Depth),
                     .ShowBackground = setup.ShowBackground,
                     .CutOut = setup.CutOut,
                     .CullsBackFaces = !setup.CutOut && WoundOutward(setup.Shape) && HidesBackFaces(setup.Shape),
                     .FloorTexture = setup.Textures[size_t(TArtFace::Floor)]};
    if (setup.Box.Floor)
        scene.Floor = BoxQuads(size.Width, size.Height, size.Depth, setup.Box).back();
    return scene;
}

TShotScene TShotStage::Scene(const TBoxSetup& setup)
{
    TShotScene scene = PlannedScene(Style_, setup);
    List_ = CompileShotBoxList(List_, scene.Shape, setup.Textures, Style_.Look, Lines_);
    // The boxes of a list are often of one size: their shadow is made once.
    const bool shadow = Style_.Look == TLook::Studio && Style_.Shadow > 0.0 && scene.Ground.ShadowReach > 0.0;
    if (!shadow || Shadow_ == 0 || !(scene.Ground == ShadowGround_)) {
        glDeleteTextures(1, &Shadow_);
        Shadow_ = shadow ? MakeShadowTexture(scene.Ground) : 0;
        ShadowGround_ = scene.Ground;
    }
    scene.BoxList = List_;
    scene.ShadowTexture = Shadow_;
    scene.FloorFade = FloorFade_;
    scene.ReflectionFade = ReflectionFade_;
    return scene;
}
