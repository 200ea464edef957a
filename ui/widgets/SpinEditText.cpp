#include "ui/widgets/SpinEditText.h"

#include <algorithm>
#include <limits>

namespace {

bool IsAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool IsControl(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7f;
}

} // namespace

bool SpinEditAcceptsKey(int key, Qt::KeyboardModifiers modifiers, const QString& text,
                        const QString& decimalSeparator)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return false;
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return true;
    if (text.isEmpty() || text == decimalSeparator)
        return true;
    return std::all_of(text.begin(), text.end(), [&](QChar c) {
        return IsAsciiDigit(c) || c == QLatin1Char('+') || c == QLatin1Char('-') || IsControl(c)
            || QString(c) == decimalSeparator;
    });
}

int ClampSpinEditValue(std::int64_t value, int minValue, int maxValue)
{
    if (minValue != maxValue)
        value = std::clamp<std::int64_t>(value, std::min(minValue, maxValue), std::max(minValue, maxValue));
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

int SpinEditTextValue(const QString& text, int minValue, int maxValue)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        negative = text[i++] == QLatin1Char('-');
    if (i == text.size())
        return minValue;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (!IsAsciiDigit(text[i]))
            return minValue;
        magnitude = magnitude * 10 + (text[i].unicode() - '0');
        if (magnitude > std::int64_t(std::numeric_limits<int>::max()) + 1)
            return minValue;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int>::max())
        return minValue;
    return ClampSpinEditValue(value, minValue, maxValue);
}
