#include "platform/ProfileIni.h"

#include "platform/AtomicFile.h"
#include "platform/Error.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* CannotOpen = "Cannot open file";
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view LineBreaks = "\r\n";
constexpr std::string_view LineBreaksAndNul{"\r\n\0", 3};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view TrimLeft(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

std::string_view TrimRight(std::string_view s)
{
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string_view Trim(std::string_view s)
{
    return TrimRight(TrimLeft(s));
}

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

size_t BodyStart(std::string_view text)
{
    return text.starts_with(ByteOrderMark) ? ByteOrderMark.size() : 0;
}

// One line of the text: [Start, ContentEnd) is its content, [ContentEnd, End)
// its line ending (empty on a last line without one).
struct TLine {
    size_t Start = 0;
    size_t ContentEnd = 0;
    size_t End = 0;
};

class TLineReader {
public:
    explicit TLineReader(std::string_view text) : Text(text), Pos(BodyStart(text)) {}

    bool Next(TLine& line)
    {
        if (Pos >= Text.size())
            return false;
        line.Start = Pos;
        line.ContentEnd = std::min(Text.find_first_of(LineBreaks, Pos), Text.size());
        line.End = line.ContentEnd;
        if (line.End < Text.size()) {
            const bool crlf = Text[line.End] == '\r' && line.End + 1 < Text.size() && Text[line.End + 1] == '\n';
            line.End += crlf ? 2 : 1;
        }
        Pos = line.End;
        return true;
    }

private:
    std::string_view Text;
    size_t Pos;
};

enum class TLineKind { Other, Header, Key };

struct TParsedLine {
    TLineKind Kind = TLineKind::Other;
    std::string_view Name;   // a section's or a key's name, blanks dropped
    std::string_view Value;  // a key's value, blanks dropped
};

TParsedLine ParseLine(std::string_view text, const TLine& line)
{
    const std::string_view content = TrimLeft(text.substr(line.Start, line.ContentEnd - line.Start));
    if (content.empty() || content.front() == ';')
        return {};
    if (content.front() == '[') {
        const size_t close = content.find(']');
        if (close == std::string_view::npos)
            return {};
        return {TLineKind::Header, Trim(content.substr(1, close - 1)), {}};
    }
    const size_t equals = content.find('=');
    if (equals == std::string_view::npos)
        return {};
    const std::string_view name = TrimRight(content.substr(0, equals));
    if (name.empty())
        return {};
    return {TLineKind::Key, name, Trim(content.substr(equals + 1))};
}

std::string_view FirstLineEnding(std::string_view text)
{
    const size_t at = text.find_first_of(LineBreaks);
    if (at == std::string_view::npos || text[at] == '\n')
        return "\n";
    return text.substr(at + 1, 1) == "\n" ? "\r\n" : "\r";
}

// True when a line inserted at pos would run on from an unfinished last line.
bool ContinuesOpenLine(std::string_view text, size_t pos)
{
    return pos > BodyStart(text) && LineBreaks.find(text[pos - 1]) == std::string_view::npos;
}

// A name reads back as itself when the reader's trimming and splitting leave it whole.
bool IsWholeName(std::string_view name)
{
    return !name.empty() && !IsBlank(name.front()) && !IsBlank(name.back()) &&
           name.find_first_of(LineBreaksAndNul) == std::string_view::npos;
}

bool IsWritable(std::string_view section, std::string_view key, std::string_view value)
{
    return IsWholeName(section) && section.find(']') == std::string_view::npos && IsWholeName(key) &&
           key.find('=') == std::string_view::npos && key.front() != ';' && key.front() != '[' &&
           value.find_first_of(LineBreaksAndNul) == std::string_view::npos;
}


// Where a key stands in a text: its line when the first section of that name
// holds it, else where it would go (after the section's header or its last
// key; none when the text has no such section).
struct TKeySearch {
    std::optional<TParsedLine> Key;
    TLine KeyLine;
    std::optional<size_t> InsertAt;
};

TKeySearch FindKey(std::string_view text, std::string_view section, std::string_view key)
{
    TKeySearch search;
    TLineReader lines(text);
    TLine line;
    bool inSection = false;
    while (lines.Next(line)) {
        const TParsedLine parsed = ParseLine(text, line);
        if (parsed.Kind == TLineKind::Header) {
            if (inSection)
                break;
            inSection = SameName(parsed.Name, section);
            if (inSection)
                search.InsertAt = line.End;
        } else if (inSection && parsed.Kind == TLineKind::Key) {
            if (SameName(parsed.Name, key)) {
                search.Key = parsed;
                search.KeyLine = line;
                break;
            }
            search.InsertAt = line.End;
        }
    }
    return search;
}

// Closes a file descriptor when it goes out of scope.
class TFileDescriptor {
public:
    explicit TFileDescriptor(int fd) : Fd(fd) {}
    ~TFileDescriptor() { close(Fd); }
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;

private:
    int Fd;
};

// The text a key is written into: the file's, or none when it does not exist yet.
std::string TextToUpdate(const std::string& path)
{
    try {
        return ReadProfileFile(path);
    } catch (const TInOutError& e) {
        if (e.Code() != ENOENT)
            throw;
        return {};
    }
}

} // namespace

std::string ReadProfileString(std::string_view text, std::string_view section, std::string_view key,
                              std::string_view defaultValue)
{
    const TKeySearch search = FindKey(text, section, key);
    if (search.Key)
        return std::string(search.Key->Value.substr(0, MaxProfileValueLength));
    return std::string(defaultValue);
}

std::optional<std::string> WriteProfileText(std::string_view text, std::string_view section, std::string_view key,
                                            std::string_view value)
{
    if (!IsWritable(section, key, value))
        return std::nullopt;
    const TKeySearch search = FindKey(text, section, key);
    if (search.Key) {
        // The value is replaced in place; the line keeps its spelling of the name.
        const std::string_view name = search.Key->Name;
        const size_t nameEnd = static_cast<size_t>(name.data() - text.data()) + name.size();
        return std::string(text.substr(0, nameEnd)) + "=" + std::string(value) +
               std::string(text.substr(search.KeyLine.ContentEnd));
    }
    const std::string_view lineEnding = FirstLineEnding(text);
    const size_t at = search.InsertAt.value_or(text.size());
    std::string inserted = ContinuesOpenLine(text, at) ? std::string(lineEnding) : std::string();
    if (!search.InsertAt)
        inserted += "[" + std::string(section) + "]" + std::string(lineEnding);
    inserted += std::string(key) + "=" + std::string(value) + std::string(lineEnding);
    return std::string(text.substr(0, at)) + inserted + std::string(text.substr(at));
}

std::string ReadProfileFile(const std::string& path)
{
    // Non-blocking, so that a named pipe chosen by mistake cannot stall the open.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        RaiseFileError(CannotOpen, path, errno);
    const TFileDescriptor file(fd);
    struct stat info {};
    if (fstat(fd, &info) != 0)
        RaiseFileError(CannotOpen, path, errno);
    if (!S_ISREG(info.st_mode))
        RaiseFileError(CannotOpen, path, 0, "not a regular file");
    std::string text;
    char buffer[16384];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            RaiseFileError(CannotOpen, path, errno);
        if (n == 0)
            return text;
        if (text.size() + static_cast<size_t>(n) > MaxProfileFileSize)
            RaiseFileError(CannotOpen, path, EFBIG, "larger than " + std::to_string(MaxProfileFileSize) + " bytes");
        text.append(buffer, static_cast<size_t>(n));
    }
}

void WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value)
{
    try {
        const std::optional<std::string> updated = WriteProfileText(TextToUpdate(path), section, key, value);
        if (updated && updated->size() <= MaxProfileFileSize) {
            WriteFileAtomically(path, *updated);
            return;
        }
    } catch (const TInOutError&) {
        // The user learns which file; the system's reason is not part of this message.
    }
    throw TError("Unable to write to " + path);
}
