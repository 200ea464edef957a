#pragma once
// The fixed render state, set once after the context is made current, and the
// viewport and projection that follow the window's client size.
#include "view/ViewCamera.h"

// Texturing, smooth shading, a white clear (alpha 0.5), depth test, lighting
// with colour material and a local viewer.
void ApplyRenderState();

// The viewport covers the client area less its view margin; the projection
// is the camera's lens at the aspect of the whole client area.
void SetViewProjection(int clientWidth, int clientHeight);
