#include "render/picture/ImageEncoders.h"
#include "render/picture/WebPAnimation.h"

#include <cstring>

namespace {

// A WebP holds its picture whole: the rows are kept until the last.
class TWebPEncoder : public TImageEncoder {
public:
    TWebPEncoder(TFileOutput& out, int width, int height, int quality)
        : Out_(out), Width_(size_t(width)), Pixels_(size_t(width) * size_t(height)), Frame_(width, height, quality, 1.0)
    {
    }

    void Put(int first, int count, const uint32_t* rows) override
    {
        std::memcpy(Pixels_.data() + size_t(first) * Width_, rows, size_t(count) * Width_ * 4);
    }

    void Finish() override
    {
        Frame_.Add(Pixels_.data());
        const std::vector<uint8_t> bytes = Frame_.Finish();
        Out_.Write(bytes.data(), bytes.size());
    }

private:
    TFileOutput& Out_;
    const size_t Width_;
    std::vector<uint32_t> Pixels_;
    TWebPAnimation Frame_;
};

} // namespace

std::unique_ptr<TImageEncoder> WebPEncoder(TFileOutput& out, int width, int height, int quality)
{
    return std::make_unique<TWebPEncoder>(out, width, height, quality);
}
