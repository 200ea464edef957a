#pragma once
// Failures are exceptions carrying the message the user sees; only the
// application's error report (ErrorReport.h) catches them.
#include <stdexcept>
#include <string>

class TError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An input/output failure ("Read beyond end of file", "File access denied", ...),
// with the system's error code (errno) when one caused it, else 0.
class TInOutError : public TError {
public:
    using TError::TError;
    TInOutError(const std::string& message, int code) : TError(message), Code_(code) {}

    int Code() const { return Code_; }

private:
    int Code_ = 0;
};

// Raises TInOutError "<action> <path>: <reason>" ("Cannot open file
// /a/b.cov: Permission denied") with code; the reason is the system's text for
// the code unless one is given.
[[noreturn]] void RaiseFileError(const char* action, const std::string& path, int code,
                                 const std::string& reason = {});

// Raises the last operating-system error as "System Error.  Code: %d." plus a
// line break and the system's text for it, or "A call to an OS function
// failed" when the system reports no error code.
[[noreturn]] void RaiseLastOSError();

// The message for a system error code, in the form RaiseLastOSError uses.
std::string SystemErrorMessage(int code);
