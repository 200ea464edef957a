#include "platform/pictures/PictureLimits.h"

#include "platform/Error.h"

#include <QImageReader>

void CheckPictureSize(const char* notValid, uint64_t width, uint64_t height)
{
    if (height != 0 && width > kMaxPicturePixels / height)
        throw TError(std::string(notValid) + " (" + std::to_string(width) + " x " + std::to_string(height) +
                     " pixels is too large)");
}

void FollowPictureBoundInQtReaders()
{
    QImageReader::setAllocationLimit(int((kMaxPictureBytes + (1 << 20) - 1) >> 20));  // megabytes, rounded up
}
