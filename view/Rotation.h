#pragma once
// The rotation drag as pure steps: how far a cursor move turns the box, and
// where the cursor wraps to at the window's edges.
#include <QString>
#include <cstdint>
#include <vector>

struct TCursorPos {
    int32_t X = 0;
    int32_t Y = 0;
    bool operator==(const TCursorPos&) const = default;
};

// Two pixels across make one degree about y (right increases it); four pixels
// down make one degree about x, stepped only while the angle lies strictly
// between -60 and 60 (tested before the step, so one step may pass the bound).
void ApplyDragStep(float& xRotation, float& yRotation, TCursorPos last, TCursorPos now);

// The cursor moves of the edge wrap, in order, for a cursor at p over a window
// whose outer frame starts at (left, top) and whose client area is
// clientWidth x clientHeight. All tests use p itself, so in a corner the
// vertical move undoes the horizontal one.
std::vector<TCursorPos> EdgeWrapMoves(TCursorPos p, int left, int top, int clientWidth, int clientHeight);

// "XRotation : <x>    YRotation : <y>", each in general format with up to 15
// significant digits and the given decimal separator.
QString RotationStatusText(float xRotation, float yRotation, const QString& decimalPoint);
