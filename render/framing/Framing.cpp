#include "render/framing/Framing.h"

#include <algorithm>
#include <cmath>

std::optional<TFraming> FrameSubject(const TViewRect& subject, int width, int height, double margin)
{
    const double kept = 1.0 - 2.0 * margin;  // the share the subject may fill
    // Pixels per unit: the tighter direction decides; one of zero extent
    // (a box seen edge-on) leaves it to the other. The negated test also
    // turns away NaN and a subject that is a point.
    const double scale = std::min(width * kept / subject.Width(), height * kept / subject.Height());
    if (width < 1 || height < 1 || !(kept > 0.0) || !(subject.Width() >= 0.0) || !(subject.Height() >= 0.0) ||
        !(scale > 0.0 && scale < HUGE_VAL))
        return std::nullopt;
    const double centreX = (subject.Left + subject.Right) / 2.0;
    const double centreY = (subject.Bottom + subject.Top) / 2.0;
    const double halfWidth = width / scale / 2.0, halfHeight = height / scale / 2.0;
    return TFraming{0, 0, width, height,
                    {centreX - halfWidth, centreX + halfWidth, centreY - halfHeight, centreY + halfHeight}};
}

TViewRect ShiftedFrustum(const TFraming& framing, double dx, double dy)
{
    const TViewRect& f = framing.Frustum;
    // Moving the scene right by dx pixels moves the window onto it left.
    const double x = dx * f.Width() / framing.ViewportWidth;
    const double y = dy * f.Height() / framing.ViewportHeight;
    return {f.Left - x, f.Right - x, f.Bottom - y, f.Top - y};
}
