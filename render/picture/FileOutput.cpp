#include "render/picture/FileOutput.h"

#include <cerrno>
#include <sys/types.h>
#include <unistd.h>

TFileOutput::TFileOutput(int fd)
{
    const int own = dup(fd);
    File_ = own < 0 ? nullptr : fdopen(own, "wb");
    if (!File_) {
        const int code = errno;
        if (own >= 0)
            close(own);
        throw TWriteFailure{code};
    }
}

TFileOutput::~TFileOutput()
{
    std::fclose(File_);
}

void TFileOutput::Fail() const
{
    throw TWriteFailure{errno != 0 ? errno : EIO};
}

void TFileOutput::Write(const void* data, size_t size)
{
    errno = 0;
    if (std::fwrite(data, 1, size, File_) != size)
        Fail();
}

void TFileOutput::Seek(uint64_t offset)
{
    errno = 0;
    if (fseeko(File_, off_t(offset), SEEK_SET) != 0)
        Fail();
}

void TFileOutput::Flush()
{
    errno = 0;
    if (std::fflush(File_) != 0)
        Fail();
}
