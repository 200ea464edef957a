#pragma once
// The text rules of a spin edit: which typed keys it takes, and how its text
// reads as a whole number. Minimum and maximum both 0 mean no bounds; other
// bounds clamp every value read or set.
#include <QString>
#include <Qt>
#include <cstdint>

// Whether a key typed into a spin edit goes into its text: digits, "+", "-",
// the decimal separator and control keys other than Enter. Keys held with
// Ctrl, Alt or Meta are control keys (Ctrl+V pastes, Ctrl+Z undoes); a key
// without a text (arrows, Home, Delete, ...) is not typing. Both are taken.
bool SpinEditAcceptsKey(int key, Qt::KeyboardModifiers modifiers, const QString& text,
                        const QString& decimalSeparator);

// A value clamped into the bounds (none when they are equal) and into the
// range of a 32-bit integer.
int ClampSpinEditValue(std::int64_t value, int minValue, int maxValue);

// The value of a text: an optional sign followed by decimal digits that fit
// a 32-bit integer, clamped. Any other text (empty, a lone sign, a decimal
// number, letters) reads as the minimum.
int SpinEditTextValue(const QString& text, int minValue, int maxValue);
