#include "app/WindowArguments.h"

#include <algorithm>
#include <array>
#include <string_view>

const char* const WindowUsage =
    "usage: plenamar [options] [COVER.cov]\n"
    "Turns flat artwork into a 3-D picture of a product box or a book. Given a\n"
    "cover file, the window opens it once it has started; the images it names\n"
    "are looked up in the cover file's own folder.\n"
    "\n"
    "  -h, --help   this text\n"
    "  --version    the program's version\n"
    "  --           the end of the options: what follows is the cover file,\n"
    "               even when its name starts with \"-\"\n"
    "\n"
    "Qt's own options are taken as well: -platform NAME, -display NAME,\n"
    "-style NAME, -stylesheet FILE, -reverse and the others of Qt's manual.\n"
    "At start-up the window reads the face images cover.jpg, spine.jpg,\n"
    "top.jpg, floor.jpg and plain.jpg from the working directory.\n";

namespace {

// Qt's options that take the next argument as their value, and those that
// take none; Qt spells each with one dash or two.
constexpr std::array<std::string_view, 15> QtValueOptions{
    "-platform", "-platformpluginpath", "-platformtheme", "-plugin", "-qwindowgeometry",
    "-qwindowicon", "-qwindowtitle", "-session", "-display", "-name",
    "-visual", "-geometry", "-title", "-style", "-stylesheet"};
constexpr std::array<std::string_view, 5> QtFlagOptions{"-reverse", "-testability", "-widgetcount", "-nograb",
                                                        "-dograb"};
// Qt's options that carry their value after "=".
constexpr std::array<std::string_view, 3> QtInlineOptions{"-style=", "-stylesheet=", "-qmljsdebugger="};

bool Contains(const auto& names, std::string_view name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool StartsWithAny(const auto& prefixes, std::string_view text)
{
    return std::any_of(prefixes.begin(), prefixes.end(),
                       [&](std::string_view prefix) { return text.starts_with(prefix); });
}

TWindowArguments Refused(std::string problem)
{
    TWindowArguments refused;
    refused.Action = TWindowAction::Refuse;
    refused.Problem = std::move(problem);
    return refused;
}

} // namespace

TWindowArguments ParseWindowArguments(const std::vector<std::string>& args)
{
    TWindowArguments result;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            if (arg.empty())
                return Refused("the cover file's name is empty");
            if (result.CoverFile)
                return Refused("give one cover file at most, not " + *result.CoverFile + " and " + arg);
            result.CoverFile = arg;
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "-h" || arg == "--help") {
            result.Action = TWindowAction::Help;
            return result;
        } else if (arg == "--version") {
            result.Action = TWindowAction::Version;
            return result;
        } else {
            const std::string_view name = std::string_view(arg).substr(arg.starts_with("--") ? 1 : 0);
            if (Contains(QtValueOptions, name)) {
                if (i + 1 >= args.size())
                    return Refused("option " + arg + " needs a value");
                result.QtArguments.push_back(arg);
                result.QtArguments.push_back(args[++i]);
            } else if (Contains(QtFlagOptions, name) || StartsWithAny(QtInlineOptions, name)) {
                result.QtArguments.push_back(arg);
            } else {
                return Refused("unknown option " + arg);
            }
        }
    }
    return result;
}
