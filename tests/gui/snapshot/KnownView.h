#pragma once
// A view of known pixels for capture tests, drawn with scissored clears into
// the bound back buffer: every window row its own colour (blue 128), a green
// rectangle, a stripe across the capture's right edge, and window rows 0 and
// height - 1 the only pixels with blue 255.
#include <GL/gl.h>

constexpr int KnownRectX = 100, KnownRectY = 300, KnownRectWidth = 400, KnownRectHeight = 200;

inline void DrawKnownView(int width, int height)
{
    const auto clear = [](int x, int y, int w, int h, int red, int green, int blue) {
        glScissor(x, y, w, h);
        glClearColor(red / 255.0f, green / 255.0f, blue / 255.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    };
    glEnable(GL_SCISSOR_TEST);
    for (int row = 0; row < height; ++row)
        clear(0, row, width, 1, row & 255, (row >> 8) * 60 + 10, 128);
    clear(KnownRectX, KnownRectY, KnownRectWidth, KnownRectHeight, 10, 200, 30);
    clear(940, 0, 20, height, 250, 5, 64);
    clear(0, 0, width, 1, 255, 0, 255);
    clear(0, height - 1, width, 1, 0, 255, 255);
    glDisable(GL_SCISSOR_TEST);
}
