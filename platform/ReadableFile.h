#pragma once
// A check for files handed to the program from outside its dialogs, before a
// flow that would take a missing file for an empty one.
#include <QByteArray>

#include <optional>
#include <string>

class QFile;

// Raises TError "Cannot open file <fileName>: <reason>" unless fileName names
// a regular file that this process may read. Never blocks, not even on a pipe.
void RequireReadableFile(const std::string& fileName);

// Opens fileName for reading into file, the name's bytes as the system gives
// them: a name need not be UTF-8, which a QString cannot carry whole. 0, or
// the system's error code (EISDIR for a folder).
int OpenForReading(QFile& file, const std::string& fileName);

// The whole of file, opened for reading, when it holds at most `limit`
// bytes; nothing when it holds more, or grows past them while it is read.
// Only what the file holds is taken from memory, never the limit.
std::optional<QByteArray> ReadAtMost(QFile& file, qint64 limit);
