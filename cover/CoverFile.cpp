#include "cover/CoverFile.h"

#include "platform/Error.h"
#include "platform/ProfileIni.h"
#include "platform/ProfileIniInteger.h"

namespace {

constexpr std::array<const char*, 4> OptionKeys{"Book", "Floor", "Back", "Open"};
constexpr std::array<const char*, 3> SizeKeys{"Width", "Height", "Depth"};
constexpr int32_t DefaultSize = 10;
constexpr size_t FirstOption = CoverImageKeys.size();
constexpr size_t FirstSize = FirstOption + OptionKeys.size();
constexpr size_t CoverKeyCount = FirstSize + SizeKeys.size();
static_assert(CoverKeyCount == 12, "a cover file holds twelve keys");
constexpr std::string_view Separators = "\\/:";

// The twelve keys in the order of the file.
std::array<TProfileKey, CoverKeyCount> CoverKeys()
{
    std::array<TProfileKey, CoverKeyCount> keys;
    for (size_t i = 0; i < CoverImageKeys.size(); ++i)
        keys[i] = {"Properties", CoverImageKeys[i], {}};
    for (size_t i = 0; i < OptionKeys.size(); ++i)
        keys[FirstOption + i] = {"Options", OptionKeys[i], {}};
    for (size_t i = 0; i < SizeKeys.size(); ++i)
        keys[FirstSize + i] = {"Sizes", SizeKeys[i], {}};
    return keys;
}

size_t AfterLastSeparator(std::string_view path)
{
    const size_t at = path.find_last_of(Separators);
    return at == std::string_view::npos ? 0 : at + 1;
}

} // namespace

void ReadCoverText(std::string_view text, TCoverTarget& target)
{
    std::array<TProfileKey, CoverKeyCount> keys = CoverKeys();
    ReadProfileKeys(text, keys);
    const auto value = [&keys](size_t i) { return keys[i].Value.value_or(std::string_view()); };
    for (size_t i = 0; i < CoverImageKeys.size(); ++i)
        target.SetImagePath(static_cast<TCoverImage>(i), std::string(value(i)));
    for (size_t i = 0; i < OptionKeys.size(); ++i)
        target.SetOption(static_cast<TCoverOption>(i), ReadProfileBoolean(value(FirstOption + i)));
    for (size_t i = 0; i < SizeKeys.size(); ++i)
        target.SetSize(static_cast<TCoverSize>(i), ReadProfileInteger(value(FirstSize + i), DefaultSize));
}

void ReadCoverFile(const std::string& fileName, TCoverTarget& target)
{
    std::string text;
    try {
        text = ReadProfileFile(fileName);
    } catch (const TInOutError&) {
        // A file that cannot be read holds no keys: every key takes its default.
    }
    ReadCoverText(text, target);
}

TCoverState ReadCoverState(std::string_view text)
{
    class TStateTarget final : public TCoverTarget {
    public:
        void SetImagePath(TCoverImage image, const std::string& name) override
        {
            State.ImagePaths[static_cast<size_t>(image)] = name;
        }
        void SetOption(TCoverOption option, bool checked) override
        {
            State.Options[static_cast<size_t>(option)] = checked;
        }
        void SetSize(TCoverSize size, int32_t value) override { State.Sizes[static_cast<size_t>(size)] = value; }

        TCoverState State;
    } target;
    ReadCoverText(text, target);
    return target.State;
}

std::array<TCoverEntry, 12> CoverFileEntries(const TCoverState& state)
{
    const std::array<TProfileKey, CoverKeyCount> keys = CoverKeys();
    std::array<TCoverEntry, 12> entries;
    for (size_t i = 0; i < entries.size(); ++i)
        entries[i] = {keys[i].Section, keys[i].Key, {}};
    for (size_t i = 0; i < CoverImageKeys.size(); ++i)
        entries[i].Value = BareImageName(state.ImagePaths[i]);
    for (size_t i = 0; i < OptionKeys.size(); ++i)
        entries[FirstOption + i].Value = state.Options[i] ? "1" : "0";
    for (size_t i = 0; i < SizeKeys.size(); ++i)
        entries[FirstSize + i].Value = std::to_string(state.Sizes[i]);
    return entries;
}

void WriteCoverFile(const std::string& fileName, const TCoverState& state)
{
    for (const TCoverEntry& entry : CoverFileEntries(state))
        WriteProfileString(fileName, entry.Section, entry.Key, entry.Value);
}

std::string BareImageName(std::string_view path)
{
    return std::string(path.substr(AfterLastSeparator(path)));
}

std::string CoverFolderOf(std::string_view fileName)
{
    return std::string(fileName.substr(0, AfterLastSeparator(fileName)));
}

std::string CoverImageLocation(std::string_view folder, std::string_view name)
{
    return std::string(folder) + std::string(name);
}
