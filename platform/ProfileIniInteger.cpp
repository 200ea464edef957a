#include "platform/ProfileIniInteger.h"

#include <optional>

namespace {

std::optional<int> DigitValue(char c, uint32_t base)
{
    int digit = -1;
    if (c >= '0' && c <= '9')
        digit = c - '0';
    else if (c >= 'a' && c <= 'f')
        digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        digit = c - 'A' + 10;
    if (digit < 0 || static_cast<uint32_t>(digit) >= base)
        return std::nullopt;
    return digit;
}

// The digits as an unsigned number no larger than limit; nothing when there are
// none, when one is not a digit of base, or when the number goes past limit.
std::optional<uint64_t> ReadDigits(std::string_view digits, uint32_t base, uint64_t limit)
{
    if (digits.empty())
        return std::nullopt;
    uint64_t value = 0;
    for (const char c : digits) {
        const std::optional<int> digit = DigitValue(c, base);
        if (!digit)
            return std::nullopt;
        value = value * base + static_cast<uint64_t>(*digit);
        if (value > limit)
            return std::nullopt;
    }
    return value;
}

// The digits after a hexadecimal prefix; nothing when text has no such prefix.
std::optional<std::string_view> HexDigits(std::string_view text)
{
    for (const std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
        if (text.starts_with(prefix))
            return text.substr(prefix.size());
    }
    return std::nullopt;
}

} // namespace

int32_t ReadProfileInteger(std::string_view text, int32_t defaultValue)
{
    if (const std::optional<std::string_view> hexDigits = HexDigits(text)) {
        const std::optional<uint64_t> pattern = ReadDigits(*hexDigits, 16, UINT32_MAX);
        return pattern ? static_cast<int32_t>(static_cast<uint32_t>(*pattern)) : defaultValue;
    }
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+'))
        text.remove_prefix(1);
    const uint64_t limit = negative ? uint64_t{INT32_MAX} + 1 : uint64_t{INT32_MAX};
    const std::optional<uint64_t> magnitude = ReadDigits(text, 10, limit);
    if (!magnitude)
        return defaultValue;
    return static_cast<int32_t>(negative ? -static_cast<int64_t>(*magnitude) : static_cast<int64_t>(*magnitude));
}

bool ReadProfileBoolean(std::string_view text)
{
    return ReadProfileInteger(text, 0) != 0;
}
