// Feeds arbitrary bytes to the snapshot bitmap reader. A malformed file must
// give the reader's error, never a crash, an overread or a huge allocation;
// a file it accepts must come back unchanged through the writer.
#include "platform/Error.h"
#include "snapshot/BmpFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        const TBitmap24 bitmap = DecodeBmp(std::string_view(reinterpret_cast<const char*>(data), size));
        if (!(DecodeBmp(EncodeBmp(bitmap)) == bitmap))
            std::abort();
    } catch (const TError&) {
    }
    return 0;
}
