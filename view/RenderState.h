#pragma once
// The fixed render state, set once after the context is made current, and the
// viewport and projection that follow the window's client size.

// Texturing, smooth shading, a white clear (alpha 0.5), depth test, lighting
// with colour material and a local viewer.
void ApplyRenderState();

// The viewport covers the client area less its top 210 rows; the projection
// keeps the aspect of the whole client area (45 degrees, 0.1 to 3000).
void SetViewProjection(int clientWidth, int clientHeight);

// The view margin: the top rows of the client area left out of the viewport.
constexpr int ViewMargin = 210;
