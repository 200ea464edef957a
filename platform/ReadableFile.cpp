#include "platform/ReadableFile.h"

#include "platform/Error.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

void RequireReadableFile(const std::string& fileName)
{
    const auto refuse = [&](const std::string& reason) {
        throw TError("Cannot open file " + fileName + ": " + reason);
    };
    const int fd = open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        refuse(std::strerror(errno));
    struct stat status {};
    const bool regular = fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    close(fd);
    if (!regular)
        refuse("not a regular file");
}

int OpenForReading(QFile& file, const std::string& fileName)
{
    const int fd = open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    struct stat status {};
    const int code = fstat(fd, &status) != 0 ? errno : S_ISDIR(status.st_mode) ? EISDIR : 0;
    if (code != 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        close(fd);
        return code != 0 ? code : EIO;
    }
    return 0;
}
