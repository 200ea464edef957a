#include "render/ImageEncoders.h"
#include "snapshot/Bitmap24.h"
#include "snapshot/BmpFile.h"

#include <string>
#include <vector>

namespace {

class TBmpEncoder : public TImageEncoder {
public:
    TBmpEncoder(TFileOutput& out, int width, int height)
        : Out(out), Width(size_t(width)), Height(size_t(height)), Stride(size_t(TBitmap24::RowBytes(width)))
    {
        const std::string headers = BmpHeaders(width, height);
        HeadersSize = headers.size();
        Out.Write(headers.data(), headers.size());
    }

    // The file holds the rows bottom-up: these make one block there, which
    // starts with the last of them.
    void Put(int first, int count, const uint32_t* rows) override
    {
        Block.assign(Stride * size_t(count), 0);
        for (size_t i = 0; i < size_t(count); ++i) {
            const uint32_t* from = rows + (size_t(count) - 1 - i) * Width;
            uint8_t* to = Block.data() + i * Stride;
            for (size_t x = 0; x < Width; ++x, to += 3) {
                to[0] = uint8_t(from[x]);
                to[1] = uint8_t(from[x] >> 8);
                to[2] = uint8_t(from[x] >> 16);
            }
        }
        Out.Seek(HeadersSize + (Height - size_t(first) - size_t(count)) * Stride);
        Out.Write(Block.data(), Block.size());
    }

    void Finish() override {}

private:
    TFileOutput& Out;
    const size_t Width, Height, Stride;
    size_t HeadersSize = 0;
    std::vector<uint8_t> Block;
};

} // namespace

std::unique_ptr<TImageEncoder> BmpEncoder(TFileOutput& out, int width, int height)
{
    return std::make_unique<TBmpEncoder>(out, width, height);
}
