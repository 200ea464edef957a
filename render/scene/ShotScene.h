#pragma once
// A box shot's scene: a cover's box in a pose, in the look asked for, with
// what the look puts around it; and its framing. The shooter frames a scene
// once and then draws it with one call for each pass or tile, with its own
// viewport and projection onto any part of the framing's frustum: the
// drawing depends on neither, so a tile of the picture equals the same part
// of the whole picture.
#include "render/framing/Framing.h"
#include "render/framing/Ground.h"
#include "render/scene/ShotStyle.h"
#include "render/shapes/Shape.h"
#include "view/BoxGeometry.h"

#include <GL/gl.h>
#include <optional>
#include <utility>
#include <vector>

class TTextureImage;

struct TShotScene {
    TShotStyle Style;
    float XRotation = 0.0f, YRotation = 0.0f;
    TShape Shape;                  // what stands on the ground, as data
    std::optional<TBoxQuad> Floor; // the window's floor, when the cover shows one
    TGround Ground;                // the shape's, with its full reaches
    bool ShowBackground = false;
    bool CutOut = false;           // the box shows images that are not wholly opaque
    // The box hides the faces it turns away from the eye (ShapeSolid.h) and
    // shows no cut-outs: GL leaves those faces out instead of drawing them
    // behind the others.
    bool CullsBackFaces = false;
    const TTextureImage* FloorTexture = nullptr;
    // The GL objects that TShotStage makes: the shape's opaque parts
    // compiled for the look, the shadow map (0 for none) and the fades of
    // the floor and of the reflection (0 for none).
    GLuint BoxList = 0, ShadowTexture = 0, FloorFade = 0, ReflectionFade = 0;
};

// The scene's ground, the reaches of the shadow and of the reflection set to
// 0 where the scene shows none: in the window look, at strength 0, and when
// the eye looks at the ground from below. It goes by the style alone (the
// stage makes the GL objects of what the style shows), so a scene can be
// framed before they are made.
TGround ShownGround(const TShotScene& scene);

// The framing of the scene in a picture of width x height pixels: the box
// with its shadow and reflection centred, with the style's margin; nothing
// when they cover no area.
std::optional<TFraming> FrameShot(const TShotScene& scene, int width, int height);

// The same for the scene turned in each of the turns (X and Y rotations) at
// once, on the union of its subject's bounds in all of them: the framing
// that the frames of a spin share, so that the box neither jumps nor leaves
// the picture.
std::optional<TFraming> FrameShot(const TShotScene& scene, const std::vector<std::pair<float, float>>& turns,
                                  int width, int height);

// Clears colour and depth (to the background colour, or to black with alpha
// 0 on a transparent picture, so that the colours drawn are premultiplied)
// and draws the scene framed by `frame`, the framing's frustum. Sets the
// modelview matrix and leaves every other state as it was.
void DrawShotScene(const TShotScene& scene, const TViewRect& frame);
