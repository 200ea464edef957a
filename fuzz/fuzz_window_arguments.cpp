// Feeds arbitrary command lines to the window program's argument parser: the
// bytes split at each NUL into arguments. Every input gives an answer, never
// a crash; a refusal always says why, and what runs never carries an empty
// file name or more Qt arguments than were given.
#include "app/WindowArguments.h"
#include "fuzz/FuzzArguments.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<std::string> args = FuzzArguments(data, size);
    const TWindowArguments parsed = ParseWindowArguments(args);
    if (parsed.Action == TWindowAction::Refuse && parsed.Problem.empty())
        std::abort();
    if (parsed.Action == TWindowAction::Run &&
        ((parsed.CoverFile && parsed.CoverFile->empty()) || parsed.QtArguments.size() > args.size()))
        std::abort();
    return 0;
}
