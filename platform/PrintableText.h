#pragma once
// Messages name files as the system gives them, and a Linux file name may be
// any bytes but "/" and NUL: not UTF-8, or holding a line break or a
// terminal's escape sequence. Such a message is shown escaped.
#include <string>
#include <string_view>

// Whether control characters (a line break, a terminal's escape) are escaped
// too: on a terminal's line they are; a message box shows a line break.
enum class TControls { Escaped, Kept };

// The text with every byte that is no part of a UTF-8 character, and every
// control character unless they are kept, written as \xHH; the rest as it is.
std::string Printable(std::string_view text, TControls controls = TControls::Escaped);

// Whether the text is UTF-8 throughout (no overlong form, no surrogate,
// nothing past U+10FFFF, no character cut short).
bool IsUtf8(std::string_view text);
