#include "platform/PrintableText.h"

#include <cstdint>
#include <cstdio>

namespace {

// The length of the UTF-8 character at the start of text, 0 when none starts
// there (a stray byte, an overlong form, a surrogate, past U+10FFFF, cut short).
size_t CharacterLength(std::string_view text)
{
    const auto byte = [&](size_t i) { return uint8_t(text[i]); };
    const uint8_t lead = byte(0);
    if (lead < 0x80)
        return 1;
    const size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                                                        : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                                                       : 0;
    if (length == 0 || text.size() < length)
        return 0;
    for (size_t i = 1; i < length; ++i)
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
    // The second byte's range rules out overlong forms, surrogates and values past U+10FFFF.
    const uint8_t second = byte(1);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90) ||
        (lead == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

} // namespace

std::string Printable(std::string_view text, TControls controls)
{
    std::string printable;
    printable.reserve(text.size());
    while (!text.empty()) {
        const size_t length = CharacterLength(text);
        const auto first = uint8_t(text[0]);
        if (length == 0 || (controls == TControls::Escaped && (first < 0x20 || first == 0x7F))) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", first);
            printable += escaped;
            text.remove_prefix(1);
        } else {
            printable += text.substr(0, length);
            text.remove_prefix(length);
        }
    }
    return printable;
}

bool IsUtf8(std::string_view text)
{
    while (!text.empty()) {
        const size_t length = CharacterLength(text);
        if (length == 0)
            return false;
        text.remove_prefix(length);
    }
    return true;
}
