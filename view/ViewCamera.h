#pragma once
// The camera of the box view, the one the window draws with and the one
// plenamar-render frames its pictures with: the client size the window is
// laid out for and the part of it where the view shows, the lens, and where
// the box and the background billboard stand in front of the eye.

// The client area the window is laid out for, in pixels.
constexpr int DesignClientWidth = 1150;
constexpr int DesignClientHeight = 880;

// The view margin: the top rows of the client area left out of the viewport.
// The projection keeps the aspect of the whole client area all the same.
constexpr int ViewMargin = 210;

// The free area, where no control covers the view: below the toolbar, the
// banner and the style strip, left of the object properties and above the
// status bar. At the design size it is 670 x 623 pixels from (0, 238).
constexpr int FreeAreaTop = 238;
constexpr int FreeAreaRightMargin = 480;
constexpr int FreeAreaBottomMargin = 19;

struct TFreeArea {
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

// The free area of a client area of the given size; empty where the controls
// cover it all.
constexpr TFreeArea FreeAreaOf(int clientWidth, int clientHeight)
{
    const int width = clientWidth - FreeAreaRightMargin;
    const int height = clientHeight - FreeAreaTop - FreeAreaBottomMargin;
    return {0, FreeAreaTop, width > 0 ? width : 0, height > 0 ? height : 0};
}

// The lens: the vertical field of view in degrees and the near and far planes.
constexpr double ViewFieldOfView = 45.0;
constexpr double ViewNear = 0.1;
constexpr double ViewFar = 3000.0;

// The box's centre in eye space: 10 units left of the line of sight and 50 in
// front of the eye, which puts it in the middle of the free area.
constexpr float BoxCentreX = -10.0f;
constexpr float BoxCentreY = 0.0f;
constexpr float BoxCentreZ = -50.0f;

// Half a turn about x, before the two rotation angles: the box's top (its -y
// side) comes up on screen and its +z side goes away from the eye.
constexpr float BoxHalfTurn = 180.0f;

// The background billboard: a square facing the eye, 70 units a side, its
// centre 10 units left of the box's centre and 15 behind it.
constexpr float BackgroundOffsetX = -10.0f;
constexpr float BackgroundOffsetZ = -15.0f;
constexpr float BackgroundHalfSide = 35.0f;
