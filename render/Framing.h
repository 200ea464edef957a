#pragma once
// Framing a box shot: the part of the view plane (the plane one unit in front
// of the eye) that the picture shows, and where in the picture it goes. The
// box's bounding rectangle gets a margin; the floor and the background, which
// reach far beyond the box, are taken as far as the window's view shows them;
// the whole is scaled to fit the picture with its aspect kept, centred.
#include "view/ViewCamera.h"

#include <optional>

// A rectangle on the view plane, x growing to the right and y upwards.
struct TViewRect {
    double Left = 0.0, Right = 0.0, Bottom = 0.0, Top = 0.0;

    double Width() const { return Right - Left; }
    double Height() const { return Top - Bottom; }
};

// The window's view at its design client size: the camera's field of view
// high, as wide as that size's aspect makes it.
TViewRect WindowViewRect();

// The margin around the box, a share of its longer side.
constexpr double FrameMargin = 0.05;

// Where a scene lies on the view plane: the box whole, its surroundings (the
// floor, the background) clipped to the window's view. Either may be absent.
struct TSceneBounds {
    std::optional<TViewRect> Box;
    std::optional<TViewRect> Surroundings;
};

struct TFraming {
    // Where the scene goes in the picture, in GL's terms (origin bottom left).
    int ViewportX = 0, ViewportY = 0, ViewportWidth = 0, ViewportHeight = 0;
    // The part of the view plane the viewport shows; its aspect is the viewport's.
    TViewRect Frustum;
};

// The framing of a scene in a picture of width x height pixels; nothing when
// the scene covers no area.
std::optional<TFraming> FrameScene(const TSceneBounds& bounds, int width, int height);

// The frustum moved by a fraction of a pixel, dx to the right and dy up, for
// passes whose samples fall between those of the others.
TViewRect ShiftedFrustum(const TFraming& framing, double dx, double dy);
