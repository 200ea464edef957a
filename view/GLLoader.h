#pragma once
// Loading of the OpenGL and GLU libraries and the one rendering context of the
// box view. The context is a QOpenGLContext on an offscreen surface; the view
// draws into a framebuffer object that plays the back buffer (ViewSurface.h).
#include <string>

class QOpenGLContext;
class TViewSurface;

using HDC = TViewSurface*;      // the drawing surface of the view
using HGLRC = QOpenGLContext*;  // the rendering context

enum TContextOption : unsigned {
    opDoubleBuffered = 1,
    opGDI = 2,
    opStereo = 4,
};

// Loads both libraries by name (a library already held is unloaded first);
// true when the OpenGL library was loaded. A library that does not load is
// not reported.
bool LoadGraphicsLibraries(const std::string& openGLName, const std::string& gluName);

// Creates the rendering context for the surface. A failing step raises the
// operating system's error ("System Error.  Code: %d." ...).
HGLRC CreateViewContext(HDC dc, unsigned options, int colorBits, int depthBits, int stencilBits,
                        int accumBits, int auxBuffers, int layer);

// Makes rc current on dc; raises "DC must not be 0" / "RC must not be 0".
void MakeViewContextCurrent(HDC dc, HGLRC rc);

// Makes no context current.
void DetachViewContext();
