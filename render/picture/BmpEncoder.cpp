#include "render/picture/ImageEncoders.h"
#include "snapshot/Bitmap24.h"
#include "snapshot/BmpFile.h"

#include <string>
#include <vector>

namespace {

class TBmpEncoder : public TImageEncoder {
public:
    TBmpEncoder(TFileOutput& out, int width, int height)
        : Out_(out), Width_(size_t(width)), Height_(size_t(height)), Stride_(size_t(TBitmap24::RowBytes(width)))
    {
        const std::string headers = BmpHeaders(width, height);
        HeadersSize_ = headers.size();
        Out_.Write(headers.data(), headers.size());
    }

    // The file holds the rows bottom-up: these make one block there, which
    // starts with the last of them.
    void Put(int first, int count, const uint32_t* rows) override
    {
        Block_.assign(Stride_ * size_t(count), 0);
        for (size_t i = 0; i < size_t(count); ++i) {
            const uint32_t* from = rows + (size_t(count) - 1 - i) * Width_;
            uint8_t* to = Block_.data() + i * Stride_;
            for (size_t x = 0; x < Width_; ++x, to += 3) {
                to[0] = uint8_t(from[x]);
                to[1] = uint8_t(from[x] >> 8);
                to[2] = uint8_t(from[x] >> 16);
            }
        }
        Out_.Seek(HeadersSize_ + (Height_ - size_t(first) - size_t(count)) * Stride_);
        Out_.Write(Block_.data(), Block_.size());
    }

    void Finish() override {}

private:
    TFileOutput& Out_;
    const size_t Width_, Height_, Stride_;
    size_t HeadersSize_ = 0;
    std::vector<uint8_t> Block_;
};

} // namespace

std::unique_ptr<TImageEncoder> BmpEncoder(TFileOutput& out, int width, int height)
{
    return std::make_unique<TBmpEncoder>(out, width, height);
}
