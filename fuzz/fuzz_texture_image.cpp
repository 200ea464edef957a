// Feeds arbitrary bytes to the BMP and the JPEG reader of the texture object,
// the JPEG one reading whole and reduced (by an eighth, or as far as 64 x 64
// pixels allow).
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
    for (const int least : {1, 64}) {
        try {
            image.LoadJpegFromMemory(data, size, least, least);
        } catch (const TError&) {
        }
    }
    return 0;
}
