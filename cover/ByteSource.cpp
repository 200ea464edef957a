#include "cover/ByteSource.h"

#include "platform/Error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool TMemorySource::ReadAt(uint64_t offset, void* into, size_t count)
{
    if (offset > Size_ || count > Size_ - offset)
        return false;
    if (count > 0)
        std::memcpy(into, Data_ + offset, count);
    return true;
}

static TInOutError InOutError(int code)
{
    if (code == EACCES || code == EPERM)
        return TInOutError("File access denied");
    return TInOutError(std::strerror(code));
}

std::unique_ptr<TFileSource> TFileSource::Open(const std::string& fileName)
{
    struct stat info;
    if (stat(fileName.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return nullptr;
    const int descriptor = open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        if (errno == ENOENT)
            return nullptr;  // removed in between
        throw InOutError(errno);
    }
    if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(descriptor);
        return nullptr;
    }
    return std::unique_ptr<TFileSource>(new TFileSource(descriptor, uint64_t(info.st_size)));
}

TFileSource::~TFileSource()
{
    close(Descriptor_);
}

bool TFileSource::ReadAt(uint64_t offset, void* into, size_t count)
{
    if (offset > Size_ || count > Size_ - offset)
        return false;
    auto* target = static_cast<uint8_t*>(into);
    while (count > 0) {
        const ssize_t got = pread(Descriptor_, target, count, off_t(offset));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw InOutError(errno);
        }
        if (got == 0)
            return false;
        target += got;
        offset += uint64_t(got);
        count -= size_t(got);
    }
    return true;
}
