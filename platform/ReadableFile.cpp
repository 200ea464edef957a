#include "platform/ReadableFile.h"

#include "platform/Error.h"

#include <QFile>

#include <algorithm>
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

std::optional<QByteArray> ReadAtMost(QFile& file, qint64 limit)
{
    if (file.size() > limit)
        return std::nullopt;
    // What the system says the file holds, at once; then whatever more it
    // gives (a file that grows, or one whose size it does not tell), a
    // block at a time, up to a byte past the limit.
    QByteArray data(std::max<qint64>(file.size(), 0), Qt::Uninitialized);
    data.resize(std::max<qint64>(file.read(data.data(), data.size()), 0));
    char block[1 << 16];
    while (data.size() <= limit) {
        const qint64 more = file.read(block, std::min<qint64>(sizeof block, limit + 1 - data.size()));
        if (more <= 0)
            break;
        data.append(block, more);
    }
    if (data.size() > limit)
        return std::nullopt;
    return data;
}
