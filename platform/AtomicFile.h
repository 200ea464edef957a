#pragma once
// Writes a whole file so that a crash, a kill or a full disk never leaves it
// half-written: the bytes go to a temporary file in the same folder, which is
// flushed to disk and renamed over the target. A link planted at the target is
// replaced, never followed.
#include <functional>
#include <string>
#include <string_view>

// True on success; on failure the target is untouched, no temporary file is
// left behind and *error (when given) holds the system's reason.
bool WriteFileAtomically(const std::string& path, std::string_view data, std::string* error = nullptr);

// The same for a file written piece by piece: write gets the temporary file's
// descriptor, writes the whole file and returns 0, or the errno of the step
// that failed. An exception it raises removes the temporary file and passes on.
bool WriteFileAtomically(const std::string& path, const std::function<int(int fd)>& write,
                         std::string* error = nullptr);
