// Feeds arbitrary bytes to the renderer's reading of face images in every
// format: the check for files cut short, then libpng for PNG and Qt's readers
// for the rest (the texture object's BMP and JPEG decoders have
// fuzz_texture_image). Every input gives
// a picture within the size bound or a TError, never a crash.
#include "cover/TextureImage.h"
#include "fuzz/PictureFuzzing.h"
#include "platform/pictures/PictureLimits.h"
#include "render/artwork/ArtworkImage.h"
#include "render/artwork/PictureEnds.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    StartPictureFuzzing(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (!PictureEndsWhole(data, size))
        return 0;
    try {
        const std::unique_ptr<TTextureImage> image =
            DecodeArtworkImage(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), "fuzz");
        if (image->Width < 1 || image->Height < 1 || uint64_t(image->Width) * uint64_t(image->Height) > kMaxPicturePixels)
            std::abort();
    } catch (const TError&) {
    }
    return 0;
}
