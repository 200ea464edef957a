// Windows and enhanced metafiles through the picture store's reader: the first
// byte picks the kind (even: WMF, odd: EMF), the rest is the file. The
// libraries run in a child process as they do in the program; a child that
// crashes, hangs or runs out of memory gives the reader's error and leaves no
// file behind.
#include "fuzz/PictureFuzzing.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    StartPictureFuzzing(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 0)
        LoadAndDraw(data + 1, size - 1, data[0] % 2 == 0 ? "wmf" : "emf");
    return 0;
}
