#pragma once
// The floor and the background of a box shot, reaching every edge of the
// picture however it is framed. The background billboard grows about its
// centre until it covers the picture. The floor reaches out in its own plane
// as far as the picture sees it, its image repeating at the window's scale,
// and behind the box it fades smoothly into whatever lies beyond: the
// background billboard, the background colour, or nothing on a transparent
// picture. Near the box both look as the window draws them.
#include "render/framing/Framing.h"
#include "render/framing/SceneBounds.h"
#include "view/BoxGeometry.h"

#include <GL/gl.h>
#include <array>
#include <vector>

class TTextureImage;

// How many times the billboard must grow about its centre to cover the
// frame; 1 when it covers it as it is.
double BackgroundScale(const TViewRect& frame);

// Eye depths: distances in front of the eye.
struct TDepthRange {
    double Start = 0.0, End = 0.0;
};

// Where the floor fades out: from the box's far side over three box sizes;
// with the background, by the billboard, which hides the floor beyond it.
TDepthRange FloorFadeDepths(const TShape& shape, float xRotation, float yRotation, bool showBackground);

// The floor as drawn: a square of the plane y of the box's frame around the
// point below the eye, wide enough to reach every edge of the frame out to
// the depth fadeEnd, textured as the window's floor quad is (its image
// repeating beyond the quad).
std::array<TBoxVertex, 4> FloorPatch(const TBoxQuad& windowFloor, double y, const TEyePoint& eye,
                                     const TViewRect& frame, double fadeEnd);

// Draws the billboard, grown to cover the frame, unlit at the brightness
// given (1 shows the image as it is), blended over what is drawn; the floor
// image's colours must be premultiplied by its alpha. Sets the modelview.
void DrawCoveringBackground(const TViewRect& frame, const TTextureImage* floorTexture, double brightness);

// Blends the floor patch, unlit at the brightness given, over what is drawn,
// faded over the depths by the fade texture; the modelview must hold the
// box's turn. Writes no depth.
void DrawFadingFloor(const std::array<TBoxVertex, 4>& patch, const TTextureImage* floorTexture, double brightness,
                     GLuint fadeTexture, const std::array<double, 4>& depthPlane, const TDepthRange& fade);
