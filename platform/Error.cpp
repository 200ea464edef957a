#include "platform/Error.h"

#include <cerrno>
#include <cstring>

std::string SystemErrorMessage(int code)
{
    if (code == 0)
        return "A call to an OS function failed";
    return "System Error.  Code: " + std::to_string(code) + ".\n" + std::strerror(code);
}

void RaiseLastOSError()
{
    throw TError(SystemErrorMessage(errno));
}

void RaiseFileError(const char* action, const std::string& path, int code, const std::string& reason)
{
    throw TInOutError(std::string(action) + " " + path + ": " + (reason.empty() ? std::strerror(code) : reason), code);
}
