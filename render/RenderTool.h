#pragma once
// plenamar-render from its arguments to its exit status: 0 when every picture
// was written (or skipped), 1 when any failed (each failure is reported with
// its box and the reason, and the others are still written), 2 for bad
// arguments, and 128 + the signal when a signal stopped the run.
#include <iosfwd>
#include <string>
#include <vector>

constexpr int ExitWritten = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

// args are the arguments after the program's name; the usage text for --help
// goes to out, progress and failures go to err.
int RunRenderTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
