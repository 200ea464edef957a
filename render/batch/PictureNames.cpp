#include "render/batch/PictureNames.h"

#include "render/options/RenderOptions.h"

#include <algorithm>

namespace {

// Calls literal(text) and field(name) for the template's pieces in order.
template <typename Literal, typename Field>
void WalkTemplate(std::string_view pattern, Literal literal, Field field)
{
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if ((c == '{' || c == '}') && i + 1 < pattern.size() && pattern[i + 1] == c) {
            literal(std::string_view(&pattern[i++], 1));
        } else if (c == '}') {
            throw TUsageError("--name: a \"}\" closes no field (write \"}}\" for the brace itself)");
        } else if (c == '{') {
            const size_t end = pattern.find('}', i);
            if (end == std::string_view::npos)
                throw TUsageError("--name: a \"{\" opens a field that is never closed");
            const std::string_view name = pattern.substr(i + 1, end - i - 1);
            if (name.empty() || name.find('{') != std::string_view::npos)
                throw TUsageError("--name: a field needs a name between its braces, as {name}");
            field(std::string(name));
            i = end;
        } else {
            literal(pattern.substr(i, 1));
        }
    }
}

} // namespace

std::vector<std::string> NameTemplateFields(std::string_view pattern)
{
    std::vector<std::string> fields;
    WalkTemplate(pattern, [](std::string_view) {}, [&](const std::string& name) { fields.push_back(name); });
    return fields;
}

std::string FillNameTemplate(std::string_view pattern, const std::map<std::string, std::string>& fields)
{
    std::string name;
    WalkTemplate(
        pattern, [&](std::string_view text) { name += text; },
        [&](const std::string& field) {
            const auto found = fields.find(field);
            if (found == fields.end())
                throw TUsageError("--name: there is no field {" + field + "}");
            name += found->second;
        });
    return name;
}

std::string PictureNameProblem(const std::string& name)
{
    if (name.empty())
        return "the picture's name is empty";
    if (name.front() == '/')
        return "the picture's name \"" + name + "\" starts at the root, outside the output folder";
    // A line break in a file's name would break every list of files.
    if (std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }))
        return "the picture's name holds a control character (a line break, a tab)";
    for (size_t start = 0; start <= name.size();) {
        const size_t end = std::min(name.find('/', start), name.size());
        const std::string_view part = std::string_view(name).substr(start, end - start);
        if (part == "..")
            return "the picture's name \"" + name + "\" leads out of the output folder";
        if (end == name.size() && (part.empty() || part == "."))
            return "the picture's name \"" + name + "\" names a folder, not a file";
        start = end + 1;
    }
    return {};
}
