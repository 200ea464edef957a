#include "platform/ProfileIni.h"

#include "platform/AtomicFile.h"
#include "platform/Error.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* CannotOpen = "Cannot open file";
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view LineBreaksAndNul{"\r\n\0", 3};

bool IsLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

// Characters from to to of s, without substr's range checks (from <= to <= size):
// lines are cut up many times for every key read or written.
std::string_view Slice(std::string_view s, size_t from, size_t to)
{
    return {s.data() + from, to - from};
}

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
    explicit TLineReader(std::string_view text)
        : Text_(text), Pos_(BodyStart(text)), NextCr_(Following('\r')), NextLf_(Following('\n'))
    {
    }

    bool Next(TLine& line)
    {
        if (Pos_ >= Text_.size())
            return false;
        if (NextCr_ < Pos_)
            NextCr_ = Following('\r');
        if (NextLf_ < Pos_)
            NextLf_ = Following('\n');
        line.Start = Pos_;
        line.ContentEnd = std::min(NextCr_, NextLf_);
        line.End = line.ContentEnd;
        if (line.End < Text_.size()) {
            const bool crlf = Text_[line.End] == '\r' && line.End + 1 < Text_.size() && Text_[line.End + 1] == '\n';
            line.End += crlf ? 2 : 1;
        }
        Pos_ = line.End;
        return true;
    }

private:
    // The first c at or after the reading position, or the end of the text.
    size_t Following(char c) const { return std::min(Text_.find(c, Pos_), Text_.size()); }

    std::string_view Text_;
    size_t Pos_;
    // The next CR and LF from the reading position on. Each is looked for again
    // only once the reading has passed it, so a scan reads the text once for
    // each: far cheaper than find_first_of, which looks every character up in
    // "\r\n", and never quadratic, whichever line ending a text uses.
    size_t NextCr_;
    size_t NextLf_;
};

enum class TLineKind { Other, Header, Key };

struct TParsedLine {
    TLineKind Kind = TLineKind::Other;
    std::string_view Name;   // a section's or a key's name, blanks dropped
    std::string_view Value;  // a key's value as written, blanks not yet dropped
};

// With headersOnly (outside every section of interest, where nothing else
// counts) a key line is not taken apart.
TParsedLine ParseLine(std::string_view text, const TLine& line, bool headersOnly)
{
    const std::string_view content = TrimLeft(Slice(text, line.Start, line.ContentEnd));
    if (content.empty() || content.front() == ';')
        return {};
    if (content.front() == '[') {
        const size_t close = content.find(']');
        if (close == std::string_view::npos)
            return {};
        return {TLineKind::Header, Trim(Slice(content, 1, close)), {}};
    }
    if (headersOnly)
        return {};
    const size_t equals = content.find('=');
    if (equals == std::string_view::npos)
        return {};
    const std::string_view name = TrimRight(Slice(content, 0, equals));
    if (name.empty())
        return {};
    return {TLineKind::Key, name, Slice(content, equals + 1, content.size())};
}

// The parts one after the other, in one allocation.
std::string Joined(std::initializer_list<std::string_view> parts)
{
    size_t size = 0;
    for (const std::string_view part : parts)
        size += part.size();
    std::string joined;
    joined.reserve(size);
    for (const std::string_view part : parts)
        joined += part;
    return joined;
}

std::string_view FirstLineEnding(std::string_view text)
{
    TLineReader lines(text);
    TLine line;
    if (!lines.Next(line) || line.End == line.ContentEnd)
        return "\n";
    return Slice(text, line.ContentEnd, line.End);
}

// True when a line inserted at pos would run on from an unfinished last line.
bool ContinuesOpenLine(std::string_view text, size_t pos)
{
    return pos > BodyStart(text) && !IsLineBreak(text[pos - 1]);
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
        const TParsedLine parsed = ParseLine(text, line, !inSection);
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
    explicit TFileDescriptor(int fd) : Fd_(fd) {}
    ~TFileDescriptor() { close(Fd_); }
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;

private:
    int Fd_;
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

void ReadProfileKeys(std::string_view text, std::span<TProfileKey> keys)
{
    // Where each key's section stands: not reached yet, being read, or left
    // (a later section of the same name counts for nothing).
    enum class TReach : uint8_t { Before, Inside, After };
    std::vector<TReach> reach(keys.size(), TReach::Before);
    std::vector<size_t> inside;  // the keys whose section is being read
    for (TProfileKey& key : keys)
        key.Value.reset();
    TLineReader lines(text);
    TLine line;
    while (lines.Next(line)) {
        const TParsedLine parsed = ParseLine(text, line, inside.empty());
        if (parsed.Kind == TLineKind::Header) {
            inside.clear();
            for (size_t i = 0; i < keys.size(); ++i) {
                if (reach[i] == TReach::Inside) {
                    reach[i] = TReach::After;
                } else if (reach[i] == TReach::Before && SameName(parsed.Name, keys[i].Section)) {
                    reach[i] = TReach::Inside;
                    inside.push_back(i);
                }
            }
        } else if (parsed.Kind == TLineKind::Key) {
            for (const size_t i : inside)
                if (!keys[i].Value && SameName(parsed.Name, keys[i].Key))
                    keys[i].Value = Trim(parsed.Value).substr(0, MaxProfileValueLength);
        }
    }
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
        return Joined({text.substr(0, nameEnd), "=", value, text.substr(search.KeyLine.ContentEnd)});
    }
    const std::string_view lineEnding = FirstLineEnding(text);
    const size_t at = search.InsertAt.value_or(text.size());
    const std::string_view breakBefore = ContinuesOpenLine(text, at) ? lineEnding : "";
    if (search.InsertAt)
        return Joined({text.substr(0, at), breakBefore, key, "=", value, lineEnding, text.substr(at)});
    return Joined({text, breakBefore, "[", section, "]", lineEnding, key, "=", value, lineEnding});
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
