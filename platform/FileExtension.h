#pragma once
// The extension of a file name, which picks how a picture is read or written.
#include <string>

// What follows the last dot of the file's own name, without the dot and as
// given ("" when the name has no dot or ends in one).
std::string FileExtension(const std::string& fileName);

// `text` with its ASCII capitals made small, whatever the locale, so that an
// extension given in any case matches the names it is compared against.
std::string LowerCaseAscii(std::string text);
