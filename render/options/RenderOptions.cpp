#include "render/options/RenderOptions.h"

#include "render/options/OptionChecks.h"
#include "render/options/OptionTable.h"
#include "render/options/OptionValues.h"

#include <algorithm>
#include <set>

namespace {

using enum TValue;

// An option's lines of the usage text: its usage in a column of 21, then its
// help, each further line of it under the first.
std::string UsageLines(const TOptionRule& rule)
{
    constexpr size_t Column = 21;
    std::string left(rule.Usage);
    left.resize(std::max(Column, left.size() + 1), ' ');
    std::string lines = "  " + left;
    for (const char c : rule.Help)
        lines += c == '\n' ? "\n" + std::string(2 + Column, ' ') : std::string(1, c);
    return lines + "\n";
}

std::string UsageText()
{
    std::string text = "usage: plenamar-render [options] COVER.cov...\n"
                       "       plenamar-render [options] --front FILE [--back FILE] [--spine FILE] ...\n"
                       "       plenamar-render [options] --list ITEMS.csv --out-dir DIR\n";
    for (const TOptionRule& rule : OptionRules())
        if (rule.Section == TUsageSection::Run)
            text += UsageLines(rule);
    text += "The box (with cover files, these override each cover's own):\n";
    for (const TOptionRule& rule : OptionRules())
        if (rule.Section == TUsageSection::Box)
            text += UsageLines(rule);
    return text + "Each option may be given once.\n";
}

std::string InFolder(const std::string& folder, const std::string& path)
{
    return folder.empty() || path.empty() || path.front() == '/' ? path : folder + "/" + path;
}

} // namespace

TRenderOptions ParseRenderArguments(const std::vector<std::string>& args)
{
    TRenderOptions options;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            options.Covers.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        // Long options take their value after "=" or as the next argument.
        std::string name = arg;
        std::optional<std::string> value;
        if (const size_t equals = arg.find('='); arg.starts_with("--") && equals != std::string::npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
        }
        const TOptionRule& rule = FindOption(name);
        if (!options.Given.insert(std::string(rule.Name)).second)
            Refuse(std::string(rule.Name) + " is given twice: give each option once");
        if (rule.Value == None && value)
            Refuse(name + " takes no value");
        if (rule.Value != None && !value) {
            if (i + 1 >= args.size())
                Refuse(name + " needs a value");
            value = args[++i];
        }
        rule.Apply(options, value.value_or(std::string()));
    }
    if (options.Help)
        return options;
    if (options.Poses.empty())
        options.Poses = {AnglesPose(DefaultAngles)};
    CheckCommandLine(options);
    return options;
}

bool IsOptionColumn(std::string_view column)
{
    return column == "cover" || FindColumn(column) != nullptr;
}

TRenderOptions RowOptions(const TRenderOptions& options,
                          const std::vector<std::pair<std::string, std::string>>& cells,
                          const std::string& listFolder)
{
    TRenderOptions row = options;
    std::set<std::string> given;
    for (const auto& [column, value] : cells) {
        if (value.empty())
            continue;
        if (column == "cover") {
            row.Covers = {InFolder(listFolder, value)};
            continue;
        }
        const TOptionRule* rule = FindColumn(column);
        if (!rule)
            Refuse("a value in the column \"" + column + "\", which names no option");
        given.insert(std::string(rule->Name));
        rule->Apply(row, rule->Value == Path ? InFolder(listFolder, value) : value);
    }
    CheckTogether(row, given);
    // A row's pose replaces the command line's, whichever option gave it.
    if (given.contains("--preset") || given.contains("--angles"))
        row.Given.erase(given.contains("--preset") ? "--angles" : "--preset");
    row.Given.insert(given.begin(), given.end());
    CheckTogether(row, row.Given);
    CheckPictures(row);
    return row;
}

const std::string& RenderUsage()
{
    static const std::string usage = UsageText();
    return usage;
}
