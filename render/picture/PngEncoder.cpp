// libpng reports a fatal error by a longjmp back to the setjmp of the call
// that met it (Call below); the code in between holds no object with a
// destructor, and the write callback catches the output's failure before it.
#include "platform/Error.h"
#include "render/picture/ImageEncoders.h"

#include <bit>
#include <csetjmp>
#include <optional>
#include <png.h>
#include <string>
#include <zlib.h>

namespace {

class TPngEncoder : public TImageEncoder {
public:
    explicit TPngEncoder(TFileOutput& out) : Out_(out)
    {
        Png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, this, OnError, OnWarning);
        Info_ = Png_ ? png_create_info_struct(Png_) : nullptr;
        if (!Info_) {
            png_destroy_write_struct(&Png_, nullptr);
            throw TError("the PNG encoder cannot start: not enough memory");
        }
    }

    ~TPngEncoder() override { png_destroy_write_struct(&Png_, &Info_); }

    void Start(int width, int height, bool alpha)
    {
        if (setjmp(png_jmpbuf(Png_)))
            Raise();
        png_set_write_fn(Png_, this, OnWrite, nullptr);
        png_set_IHDR(Png_, Info_, png_uint_32(width), png_uint_32(height), 8,
                     alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_filter(Png_, PNG_FILTER_TYPE_BASE, PNG_FILTER_PAETH);
        png_set_compression_strategy(Png_, Z_RLE);
        png_write_info(Png_, Info_);
        // The rows' words 0xAARRGGBB lie in memory as B, G, R, A on a
        // little-endian machine and A, R, G, B on a big-endian one.
        if constexpr (std::endian::native == std::endian::little)
            png_set_bgr(Png_);
        else if (alpha)
            png_set_swap_alpha(Png_);
        if (!alpha)
            png_set_filler(Png_, 0, std::endian::native == std::endian::little ? PNG_FILLER_AFTER : PNG_FILLER_BEFORE);
    }

    void Put(int, int count, const uint32_t* rows) override
    {
        if (setjmp(png_jmpbuf(Png_)))
            Raise();
        const size_t width = png_get_image_width(Png_, Info_);
        for (int y = 0; y < count; ++y)
            png_write_row(Png_, reinterpret_cast<png_const_bytep>(rows + size_t(y) * width));
    }

    void Finish() override
    {
        if (setjmp(png_jmpbuf(Png_)))
            Raise();
        png_write_end(Png_, Info_);
    }

private:
    [[noreturn]] void Raise() const
    {
        if (FailedWrite_)
            throw TWriteFailure{*FailedWrite_};
        throw TError("the PNG encoder failed: " + Message_);
    }

    static void OnError(png_structp png, png_const_charp message)
    {
        static_cast<TPngEncoder*>(png_get_error_ptr(png))->Message_ = message;
        png_longjmp(png, 1);
    }

    static void OnWarning(png_structp, png_const_charp) {}

    static void OnWrite(png_structp png, png_bytep data, size_t size)
    {
        auto* self = static_cast<TPngEncoder*>(png_get_io_ptr(png));
        try {
            self->Out_.Write(data, size);
        } catch (const TWriteFailure& failure) {
            self->FailedWrite_ = failure.Code;
        }
        // Outside the handler: a longjmp must not leave it.
        if (self->FailedWrite_)
            png_error(png, "write failed");
    }

    TFileOutput& Out_;
    png_structp Png_ = nullptr;
    png_infop Info_ = nullptr;
    std::string Message_;
    std::optional<int> FailedWrite_;
};

} // namespace

std::unique_ptr<TImageEncoder> PngEncoder(TFileOutput& out, int width, int height, bool alpha)
{
    auto encoder = std::make_unique<TPngEncoder>(out);
    encoder->Start(width, height, alpha);
    return encoder;
}
