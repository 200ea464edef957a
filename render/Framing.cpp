#include "render/Framing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

TViewRect WindowViewRect()
{
    const double halfHeight = std::tan(ViewFieldOfView / 2.0 * std::numbers::pi / 180.0);
    const double halfWidth = halfHeight * DesignClientWidth / DesignClientHeight;
    return {-halfWidth, halfWidth, -halfHeight, halfHeight};
}

std::optional<TFraming> FrameScene(const TSceneBounds& bounds, int width, int height)
{
    std::optional<TViewRect> shown = bounds.Surroundings;
    if (bounds.Box) {
        const TViewRect& box = *bounds.Box;
        const double margin = FrameMargin * std::max(box.Width(), box.Height());
        const TViewRect framed{box.Left - margin, box.Right + margin, box.Bottom - margin, box.Top + margin};
        shown = !shown ? framed
                       : TViewRect{std::min(shown->Left, framed.Left), std::max(shown->Right, framed.Right),
                                   std::min(shown->Bottom, framed.Bottom), std::max(shown->Top, framed.Top)};
    }
    // The negated tests also turn away NaN.
    if (!shown || !(shown->Width() > 0.0) || !(shown->Height() > 0.0) || width < 1 || height < 1)
        return std::nullopt;

    const double scale = std::min(width / shown->Width(), height / shown->Height());  // pixels per unit
    TFraming framing;
    framing.ViewportWidth = std::clamp(int(std::lround(shown->Width() * scale)), 1, width);
    framing.ViewportHeight = std::clamp(int(std::lround(shown->Height() * scale)), 1, height);
    framing.ViewportX = (width - framing.ViewportWidth) / 2;
    framing.ViewportY = (height - framing.ViewportHeight) / 2;
    // Rounding the viewport to whole pixels changes its aspect a little: widen
    // the shown rectangle about its centre to match, so nothing is stretched.
    const double unit = std::max(shown->Width() / framing.ViewportWidth, shown->Height() / framing.ViewportHeight);
    const double centreX = (shown->Left + shown->Right) / 2.0;
    const double centreY = (shown->Bottom + shown->Top) / 2.0;
    const double halfWidth = unit * framing.ViewportWidth / 2.0;
    const double halfHeight = unit * framing.ViewportHeight / 2.0;
    framing.Frustum = {centreX - halfWidth, centreX + halfWidth, centreY - halfHeight, centreY + halfHeight};
    return framing;
}

TViewRect ShiftedFrustum(const TFraming& framing, double dx, double dy)
{
    const TViewRect& f = framing.Frustum;
    // Moving the scene right by dx pixels moves the window onto it left.
    const double x = dx * f.Width() / framing.ViewportWidth;
    const double y = dy * f.Height() / framing.ViewportHeight;
    return {f.Left - x, f.Right - x, f.Bottom - y, f.Top - y};
}
