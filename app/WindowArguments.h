#pragma once
// The command line of the window program:
//
//     plenamar [options] [COVER.cov]
//
// The cover file, when given, is opened once start-up is done. Qt's own
// options (-platform NAME, -style NAME, -reverse, ...) are passed on to the
// application object; "--" ends the options, so that a cover file whose name
// starts with "-" can be given too.
#include <optional>
#include <string>
#include <vector>

enum class TWindowAction { Run, Help, Version, Refuse };

struct TWindowArguments {
    TWindowAction Action = TWindowAction::Run;
    std::vector<std::string> QtArguments;  // Qt's options with their values, as given
    std::optional<std::string> CoverFile;  // as given: relative to the working directory
    std::string Problem;                   // why the command line was refused
};

// The arguments after the program's name. The first of --help, --version or
// a mistake decides; a mistake is an unknown option, a Qt option without its
// value, an empty file name or a second cover file.
TWindowArguments ParseWindowArguments(const std::vector<std::string>& args);

// The usage text, ending in a line break.
extern const char* const WindowUsage;
