#pragma once
// Box faces drawn as cut-outs of their images' alpha: where an image is
// transparent its face is not there, and what lies behind it shows through
// (the inside of the box, the floor, the background, or the page under a
// transparent picture), whatever order the faces are drawn in. What is drawn
// is opaque, as a box's faces are. On a multisampled target the alpha gives
// the share of a pixel's samples that the face covers (alpha to coverage),
// so a soft edge in the image stays soft; on a target of one sample the face
// covers the pixel where the alpha reaches one half.
//
// The faces' colour and alpha must come from texture unit 0 modulated by the
// primary colour, as the box's lists draw them, with an alpha of 1 there.

// Until EndCutOut, for the target bound now.
void BeginCutOut();
void EndCutOut();
