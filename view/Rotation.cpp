#include "view/Rotation.h"

#include <cstdio>

void ApplyDragStep(float& xRotation, float& yRotation, TCursorPos last, TCursorPos now)
{
    if (now.X > last.X)
        yRotation += (now.X - last.X) / 2.0f;
    else if (now.X < last.X)
        yRotation -= (last.X - now.X) / 2.0f;

    if (now.Y < last.Y && xRotation > -60.0f)
        xRotation -= (last.Y - now.Y) / 4.0f;
    else if (now.Y > last.Y && xRotation < 60.0f)
        xRotation += (now.Y - last.Y) / 4.0f;
}

std::vector<TCursorPos> EdgeWrapMoves(TCursorPos p, int left, int top, int clientWidth, int clientHeight)
{
    std::vector<TCursorPos> moves;
    if (p.X < left + 10)
        moves.push_back({left + clientWidth - 11, p.Y});
    if (p.X >= left + clientWidth - 10)
        moves.push_back({left + 11, p.Y});
    if (p.Y < top + 30)
        moves.push_back({p.X, top + clientHeight - 11});
    if (p.Y >= top + clientHeight - 10)
        moves.push_back({p.X, top + 31});
    return moves;
}

namespace {

QString FormatGeneral(float value, const QString& decimalPoint)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", static_cast<double>(value));
    return QString::fromLatin1(text).replace(QLatin1Char('.'), decimalPoint);
}

} // namespace

QString RotationStatusText(float xRotation, float yRotation, const QString& decimalPoint)
{
    return QStringLiteral("XRotation : ") + FormatGeneral(xRotation, decimalPoint) +
           QStringLiteral("    YRotation : ") + FormatGeneral(yRotation, decimalPoint);
}
