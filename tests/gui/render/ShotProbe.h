#pragma once
// Where the points of a box shot's scene land in its picture.
#include "render/framing/Framing.h"
#include "render/framing/SceneBounds.h"

#include <QPoint>

// The pixel where a point in eye space lands in a picture of the given height.
inline QPoint PictureOf(const TFraming& framing, int height, const TEyePoint& p)
{
    const TViewRect& f = framing.Frustum;
    const double x = framing.ViewportX + (p.X / -p.Z - f.Left) / f.Width() * framing.ViewportWidth;
    const double up = framing.ViewportY + (p.Y / -p.Z - f.Bottom) / f.Height() * framing.ViewportHeight;
    return QPointF(x, height - up).toPoint();
}
