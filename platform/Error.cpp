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
