#pragma once
// Integers and check marks as profile values. Decimal with an optional sign;
// hexadecimal, unsigned, after "0x", "0X", "$", "x" or "X", taken as a 32-bit
// pattern (FFFFFFFF is -1). Empty text, anything else, a bare prefix and a
// value outside 32 bits give the default.
#include <cstdint>
#include <string_view>

int32_t ReadProfileInteger(std::string_view text, int32_t defaultValue);

// A check mark: any integer but 0 is checked; what is not an integer is not.
bool ReadProfileBoolean(std::string_view text);
