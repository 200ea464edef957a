// One property of the cover file over any existing text: any state written
// into it key by key reads back the same.
#include "cover/CoverFile.h"
#include "fuzz/FuzzCheck.h"
#include "platform/ProfileIni.h"

#include <algorithm>
#include <cstdint>

namespace {

bool HasNul(const std::string& name)
{
    return name.find('\0') != std::string::npos;
}

bool HasBlankAtAnEnd(const std::string& name)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    return !name.empty() && (blank(name.front()) || blank(name.back()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    // Write back what was read, with the options turned over and the sizes moved.
    TCoverState state = ReadCoverState(text);
    for (std::string& name : state.ImagePaths)
        name = BareImageName(name);
    for (bool& option : state.Options)
        option = !option;
    for (int32_t& value : state.Sizes)
        value = static_cast<int32_t>(static_cast<uint32_t>(value) * 2654435761u + static_cast<uint32_t>(size));
    // Names with a NUL are refused; blanks at the ends of a name are dropped on reading.
    const auto& names = state.ImagePaths;
    const bool refused = std::any_of(names.begin(), names.end(), HasNul);
    const bool keepsNames = !refused && std::none_of(names.begin(), names.end(), HasBlankAtAnEnd);

    std::string written(text);
    for (const TCoverEntry& entry : CoverFileEntries(state)) {
        std::optional<std::string> next = WriteProfileText(written, entry.Section, entry.Key, entry.Value);
        if (!next) {
            Check(refused, "a writable key was refused");
            return 0;
        }
        written = std::move(*next);
    }
    Check(!refused, "a name with a NUL was written");
    if (keepsNames)
        Check(ReadCoverState(written) == state, "state written and read back");
    return 0;
}
