#pragma once
// The cover file (".cov"): the bare names of the five face images, the four
// display options and the three box sizes, in a private-profile INI file.
//
//   [Properties] Cover, Spine, Plain, Top, Floor   image names ("" when absent)
//   [Options]    Book, Floor, Back, Open           "1" or "0" (unchecked when absent)
//   [Sizes]      Width, Height, Depth              decimal integers (10 when absent)
//
// The renderer reads two more keys of [Properties] (CoverRendererKeys), which
// the window neither reads nor writes: saving keeps them as they are.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The enumerators follow the order of the keys in the file.
enum class TCoverImage { Cover, Spine, Plain, Top, Floor };
enum class TCoverOption { Book, Floor, Back, Open };
enum class TCoverSize { Width, Height, Depth };

// The keys of the five images under [Properties], in the order of TCoverImage.
inline constexpr std::array<const char*, 5> CoverImageKeys{"Cover", "Spine", "Plain", "Top", "Floor"};

// The renderer's own keys under [Properties]: the back cover's image name,
// and the shape the box is drawn as ("box", "dvd", ...).
enum class TCoverRendererKey { Back, Shape };
inline constexpr std::array<const char*, 2> CoverRendererKeys{"Back", "Shape"};

// What reading a cover file changes. Each key's value is handed over before the
// next key is read, in the order of the file, so a window can apply it as a
// user's change would (and run that change's handler).
class TCoverTarget {
public:
    virtual void SetImagePath(TCoverImage image, const std::string& name) = 0;
    virtual void SetOption(TCoverOption option, bool checked) = 0;
    virtual void SetSize(TCoverSize size, int32_t value) = 0;

protected:
    ~TCoverTarget() = default;
};

// What saving writes, each array indexed by its enumeration.
struct TCoverState {
    std::array<std::string, 5> ImagePaths;  // full paths or bare names
    std::array<bool, 4> Options{};
    std::array<int32_t, 3> Sizes{10, 10, 10};

    bool operator==(const TCoverState&) const = default;
};

// Applies every key of the cover text to target, absent or unreadable keys
// taking their defaults.
void ReadCoverText(std::string_view text, TCoverTarget& target);
// Same for a file; a missing or unreadable file gives every default, quietly.
void ReadCoverFile(const std::string& fileName, TCoverTarget& target);

// The whole state a cover text holds, absent or unreadable keys taking their
// defaults: for readers that apply it at once rather than key by key.
TCoverState ReadCoverState(std::string_view text);

// One key as saving writes it.
struct TCoverEntry {
    std::string_view Section;
    std::string_view Key;
    std::string Value;
};

// The twelve keys in the order of the file, with the state's values: bare image
// names, "1" or "0", decimal sizes.
std::array<TCoverEntry, 12> CoverFileEntries(const TCoverState& state);

// Writes the entries one by one, in order, each into the file by itself (see
// WriteProfileString). Raises TError "Unable to write to <fileName>" at the
// first key that cannot be written; the keys before it stay written.
void WriteCoverFile(const std::string& fileName, const TCoverState& state);

// The part of a path after its last "\", "/" or ":" (the whole path when it has none).
std::string BareImageName(std::string_view path);
// Everything up to and including the last "\", "/" or ":"; empty when there is none.
std::string CoverFolderOf(std::string_view fileName);
// Where the open flow loads an image from: the cover file's folder followed
// directly by the name the file records.
std::string CoverImageLocation(std::string_view folder, std::string_view name);
