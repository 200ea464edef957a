// libjpeg reports a fatal error by a longjmp back to the setjmp of the call
// that met it; the code in between holds no object with a destructor, and the
// destination catches the output's failure before it jumps.
#include "platform/Error.h"
#include "render/picture/ImageEncoders.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <optional>
#include <vector>

namespace {

class TJpegEncoder : public TImageEncoder {
public:
    explicit TJpegEncoder(TFileOutput& out) : Out_(out), Buffer_(1 << 16)
    {
        jpeg_std_error(&Errors_);
        Errors_.error_exit = OnError;
        Errors_.output_message = [](j_common_ptr) {};  // warnings are not shown
        Info_.err = &Errors_;
        Info_.client_data = this;
        Destination_.init_destination = [](j_compress_ptr info) { Self(info)->Rewind(); };
        Destination_.empty_output_buffer = [](j_compress_ptr info) -> boolean {
            Self(info)->Drain(Self(info)->Buffer_.size());
            return TRUE;
        };
        Destination_.term_destination = [](j_compress_ptr info) {
            Self(info)->Drain(Self(info)->Buffer_.size() - info->dest->free_in_buffer);
        };
    }

    ~TJpegEncoder() override { jpeg_destroy_compress(&Info_); }

    void Start(int width, int height)
    {
        Row_.resize(size_t(width) * 3);
        if (setjmp(Jump_))
            Raise();
        jpeg_create_compress(&Info_);
        Info_.dest = &Destination_;
        Info_.image_width = JDIMENSION(width);
        Info_.image_height = JDIMENSION(height);
        Info_.input_components = 3;
        Info_.in_color_space = JCS_RGB;
        jpeg_set_defaults(&Info_);
        jpeg_set_quality(&Info_, 95, TRUE);
        jpeg_start_compress(&Info_, TRUE);
    }

    void Put(int, int count, const uint32_t* rows) override
    {
        if (setjmp(Jump_))
            Raise();
        for (int y = 0; y < count; ++y) {
            const uint32_t* from = rows + size_t(y) * Info_.image_width;
            for (size_t x = 0; x < Info_.image_width; ++x) {
                Row_[3 * x] = uint8_t(from[x] >> 16);
                Row_[3 * x + 1] = uint8_t(from[x] >> 8);
                Row_[3 * x + 2] = uint8_t(from[x]);
            }
            JSAMPROW row = Row_.data();
            jpeg_write_scanlines(&Info_, &row, 1);
        }
    }

    void Finish() override
    {
        if (setjmp(Jump_))
            Raise();
        jpeg_finish_compress(&Info_);
    }

private:
    static TJpegEncoder* Self(j_compress_ptr info) { return static_cast<TJpegEncoder*>(info->client_data); }

    [[noreturn]] static void OnError(j_common_ptr info)
    {
        std::longjmp(static_cast<TJpegEncoder*>(info->client_data)->Jump_, 1);
    }

    [[noreturn]] void Raise()
    {
        if (FailedWrite_)
            throw TWriteFailure{*FailedWrite_};
        char message[JMSG_LENGTH_MAX];
        Errors_.format_message(reinterpret_cast<j_common_ptr>(&Info_), message);
        throw TError(std::string("the JPEG encoder failed: ") + message);
    }

    void Rewind()
    {
        Destination_.next_output_byte = Buffer_.data();
        Destination_.free_in_buffer = Buffer_.size();
    }

    // Writes the first `used` bytes of the buffer and starts it again.
    void Drain(size_t used)
    {
        try {
            Out_.Write(Buffer_.data(), used);
        } catch (const TWriteFailure& failure) {
            FailedWrite_ = failure.Code;
        }
        // Outside the handler: a longjmp must not leave it.
        if (FailedWrite_)
            std::longjmp(Jump_, 1);
        Rewind();
    }

    TFileOutput& Out_;
    std::vector<JOCTET> Buffer_;
    std::vector<JSAMPLE> Row_;
    jpeg_compress_struct Info_ = {};
    jpeg_error_mgr Errors_ = {};
    jpeg_destination_mgr Destination_ = {};
    std::jmp_buf Jump_;
    std::optional<int> FailedWrite_;
};

} // namespace

std::unique_ptr<TImageEncoder> JpegEncoder(TFileOutput& out, int width, int height)
{
    auto encoder = std::make_unique<TJpegEncoder>(out);
    encoder->Start(width, height);
    return encoder;
}
