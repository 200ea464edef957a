#pragma once
// The smallest rectangle holding every pixel of a picture that is not fully
// transparent; empty when there is none.
#include <QImage>
#include <QRect>

inline QRect OpaqueBounds(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QRect bounds;
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(row[x]) != 0)
                bounds |= QRect(x, y, 1, 1);
    }
    return bounds;
}
