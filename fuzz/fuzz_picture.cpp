// The picture store's raster readers, in memory: the first byte picks the
// reader (bitmap, icon, JPEG), the rest is the file. Metafiles have their own
// target (fuzz_metafile), since each of them is read in a child process.
#include "fuzz/PictureFuzzing.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    StartPictureFuzzing(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const char* const kExtensions[] = {"bmp", "ico", "jpg"};
    if (size > 0)
        LoadAndDraw(data + 1, size - 1, kExtensions[data[0] % 3]);
    return 0;
}
