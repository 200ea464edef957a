#pragma once
// A CD jewel case: a shell of clear plastic, its hinge rounded along the
// left edge, over the front booklet; at the back the black tray and behind
// it the tray card, its two narrow spine strips folded up at either end. Where nothing is printed
// behind the plastic, what lies behind the case shows through.
#include "render/shapes/Shape.h"

// A tray card is laid out spine | back | spine; each spine strip takes this
// share of its width (6.5 mm of 150 mm).
constexpr double TrayCardSpineShare = 6.5 / 150.0;

// Whether an image of this many pixels is a whole tray card rather than its
// back alone (137 x 118 mm): it is wider than halfway between the two.
bool IsTrayCard(int width, int height);

// The case of these outer sizes. With `trayCard` the back's image is the
// whole tray card, strips and all; without it the strips show the spine's.
TShape JewelShape(const TBoxSize& size, bool trayCard);
