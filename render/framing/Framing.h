#pragma once
// Framing a box shot: the part of the view plane (the plane one unit in front
// of the eye) that the picture shows. The subject's bounding rectangle (the
// box with its shadow and reflection) is centred in the picture, and along
// the tighter of the two directions it leaves the margin, a share of the
// picture's size along that direction, at either end. The picture is the
// whole viewport, so the floor and the background can reach every edge.
#include "view/ViewCamera.h"

#include <optional>

// A rectangle on the view plane, x growing to the right and y upwards.
struct TViewRect {
    double Left = 0.0, Right = 0.0, Bottom = 0.0, Top = 0.0;

    double Width() const { return Right - Left; }
    double Height() const { return Top - Bottom; }
};

// The margin at either end, a share of the picture: the default, and the
// largest that leaves the subject a tenth of the picture.
constexpr double DefaultMargin = 0.05;
constexpr double MaxMargin = 0.45;

struct TFraming {
    // Where the scene goes in the picture, in GL's terms (origin bottom left):
    // the whole picture.
    int ViewportX = 0, ViewportY = 0, ViewportWidth = 0, ViewportHeight = 0;
    // The part of the view plane the viewport shows; its aspect is the viewport's.
    TViewRect Frustum;
};

// The framing of a subject in a picture of width x height pixels; nothing
// when the subject covers no area (or is not a number).
std::optional<TFraming> FrameSubject(const TViewRect& subject, int width, int height, double margin);

// The frustum moved by a fraction of a pixel, dx to the right and dy up, for
// passes whose samples fall between those of the others.
TViewRect ShiftedFrustum(const TFraming& framing, double dx, double dy);
