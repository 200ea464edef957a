// Feeds arbitrary bytes to the BMP and the JPEG reader of the texture object.
// A malformed file must give false or the reader's error, never a crash, an
// overread or a leak.
#include "cover/TextureImage.h"
#include "platform/Error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TTextureImage image;
    try {
        image.LoadBmpFromMemory(data, size);
    } catch (const TError&) {
    }
    try {
        image.LoadJpegFromMemory(data, size);
    } catch (const TError&) {
    }
    return 0;
}
