#pragma once
// One frame of the box view, everything before the buffer swap: clear, light
// and material, the background billboard with the floor image when asked for,
// and the box geometry list turned by the two rotation angles.
#include <GL/gl.h>
#include <array>
#include <optional>

class TTextureImage;

// The view's right and up directions, the first and second rows of the
// modelview matrix.
struct TViewBasis {
    float Right[3] = {};
    float Up[3] = {};
};

struct TFrameScene {
    float XRotation = 0.0f;
    float YRotation = 0.0f;
    bool ShowBackground = false;
    GLuint BoxList = 0;
    const TTextureImage* FloorTexture = nullptr;
    // The colour the frame clears to (red, green, blue, alpha). Absent: the
    // render state's, as the window draws; present: this one for this frame
    // alone, the render state's clear colour left as it was.
    std::optional<std::array<float, 4>> ClearColour = std::nullopt;
};

// Draws the scene into the bound back buffer and returns the view basis read
// while drawing it.
TViewBasis DrawScene(const TFrameScene& scene);

TViewBasis ReadViewBasis();

// The background billboard (ViewCamera.h), a square facing the viewer around
// the current origin, the floor image stretched over it with its (0, 0)
// corner at the bottom left.
void DrawBackground(const TViewBasis& basis, const TTextureImage* floorTexture);
