#pragma once
// Writes a whole file so that a crash, a kill or a full disk never leaves it
// half-written: the bytes go to a new file in the target's folder, which is
// flushed to disk and then takes the target's name (renamed over it when it
// exists). On Linux the new file has no name until then, so a process killed
// while writing leaves nothing under any name; where the file system cannot
// make a nameless file it is written under the target's name plus ".XXXXXX".
// The rules are those of a careful editor:
// - a symbolic link is followed (to its final target, which may not exist
//   yet) and that target is replaced; the link stays as it is;
// - an existing target that the user may not write (a read-only file, say)
//   is refused, as a plain write would refuse it; so is one that is not a
//   regular file;
// - a replaced file keeps its permission bits and, where the system lets us
//   (root replacing another user's file), its owner and group; a new file
//   gets 0666 less the umask, as a plain create would.
#include <functional>
#include <string>
#include <string_view>

// Raises TInOutError "Cannot create file <path>: <reason>", with the system's
// error code, when the file cannot be written; the target is then untouched
// and no temporary file is left behind.
void WriteFileAtomically(const std::string& path, std::string_view data);

// The same for a file written piece by piece: write gets the temporary file's
// descriptor, writes the whole file and returns 0, or the system's error code
// of the step that failed. An exception it raises removes the temporary file
// and passes on.
void WriteFileAtomically(const std::string& path, const std::function<int(int fd)>& write);
