#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool Fail(std::string* error, int code, const std::string& tempPath)
{
    if (!tempPath.empty())
        unlink(tempPath.c_str());
    if (error)
        *error = std::strerror(code);
    return false;
}

// All of data at the descriptor's position: 0, or the errno of the failure.
int WriteAll(int fd, std::string_view data)
{
    size_t written = 0;
    while (written < data.size()) {
        const ssize_t n = write(fd, data.data() + written, data.size() - written);
        if (n < 0 && errno != EINTR)
            return errno;
        if (n > 0)
            written += static_cast<size_t>(n);
    }
    return 0;
}

} // namespace

bool WriteFileAtomically(const std::string& path, std::string_view data, std::string* error)
{
    return WriteFileAtomically(path, [data](int fd) { return WriteAll(fd, data); }, error);
}

bool WriteFileAtomically(const std::string& path, const std::function<int(int fd)>& write, std::string* error)
{
    std::string temp = path + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0)
        return Fail(error, errno, {});
    // A new file gets the usual permissions (0666 less the umask), like a plain create.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    int code = 0;
    try {
        code = write(fd);
    } catch (...) {
        close(fd);
        unlink(temp.c_str());
        throw;
    }
    if (code != 0) {
        close(fd);
        return Fail(error, code, temp);
    }
    if (fsync(fd) != 0 || close(fd) != 0)
        return Fail(error, errno, temp);
    if (rename(temp.c_str(), path.c_str()) != 0)
        return Fail(error, errno, temp);
    return true;
}
