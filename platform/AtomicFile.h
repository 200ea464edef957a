#pragma once
// Writes a whole file so that a crash, a kill or a full disk never leaves it
// half-written: the bytes go to a temporary file in the same folder, which is
// flushed to disk and renamed over the target. A link planted at the target is
// replaced, never followed.
#include <string>
#include <string_view>

// True on success; on failure the target is untouched, no temporary file is
// left behind and *error (when given) holds the system's reason.
bool WriteFileAtomically(const std::string& path, std::string_view data, std::string* error = nullptr);
