#pragma once
// A check for files handed to the program from outside its dialogs, before a
// flow that would take a missing file for an empty one.
#include <string>

// Raises TError "Cannot open file <fileName>: <reason>" unless fileName names
// a regular file that this process may read. Never blocks, not even on a pipe.
void RequireReadableFile(const std::string& fileName);
