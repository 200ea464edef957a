#pragma once
// Private-profile INI files: read keys' values, write one key in place.
//
// Reading. A section starts at a line "[name]"; a value is a line "key=value"
// inside it. Section and key names match without regard to (ASCII) case, blanks
// (spaces, tabs) around names and values are dropped, and a value is cut after
// MaxProfileValueLength characters. LF, CRLF and a lone CR each end a line; a
// UTF-8 byte-order mark at the start is skipped; a line whose first non-blank
// character is ";" is a comment; keys before the first section, lines that are
// neither header nor key, and a NUL byte are ordinary ignorable text. When a
// section or a key occurs twice, the first occurrence wins.
//
// Writing one key keeps every other line as it was, in its order: an existing
// key gets the new value in place (with the line's spelling of its name), a
// missing key goes after the last key of its section, a missing section with
// the key goes at the end. New lines use the text's first line ending (LF when
// it has none).
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

inline constexpr size_t MaxProfileValueLength = 2047;
// A cover file is a few hundred bytes; a larger file is not read, and not
// rewritten either, since rewriting needs the whole of it.
inline constexpr size_t MaxProfileFileSize = 1 << 20;

// A key to read, and its value once read.
struct TProfileKey {
    std::string_view Section;
    std::string_view Key;
    // The value (a view into the text), or nothing when the text has no such key.
    std::optional<std::string_view> Value;
};

// Sets the Value of every key, all in one pass over the text.
void ReadProfileKeys(std::string_view text, std::span<TProfileKey> keys);

// The text with key in section set to value, or nothing when the key cannot be
// written as itself: a line break or NUL anywhere, or a section or key name that
// would not read back as that name (empty, blanks around it, "]" in a section,
// "=" in a key or a key starting with ";" or "[").
std::optional<std::string> WriteProfileText(std::string_view text, std::string_view section, std::string_view key,
                                            std::string_view value);

// The whole file. Raises TInOutError "Cannot open file <path>: <reason>" when
// it does not exist (with the code ENOENT), cannot be read, is not a regular
// file or is larger than MaxProfileFileSize.
std::string ReadProfileFile(const std::string& path);

// Sets one key in the file, creating the file when it is missing, and replaces
// it atomically (see WriteFileAtomically: a read-only file is refused). Raises
// TError "Unable to write to <path>" when the key is refused or the file cannot
// be read or written; the file then stays as it was.
void WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);
