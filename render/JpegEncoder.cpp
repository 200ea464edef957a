// libjpeg reports a fatal error by a longjmp back to the setjmp of the call
// that met it; the code in between holds no object with a destructor, and the
// destination catches the output's failure before it jumps.
#include "platform/Error.h"
#include "render/ImageEncoders.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <optional>
#include <vector>

namespace {

class TJpegEncoder : public TImageEncoder {
public:
    explicit TJpegEncoder(TFileOutput& out) : Out(out), Buffer(1 << 16)
    {
        jpeg_std_error(&Errors);
        Errors.error_exit = OnError;
        Errors.output_message = [](j_common_ptr) {};  // warnings are not shown
        Info.err = &Errors;
        Info.client_data = this;
        Destination.init_destination = [](j_compress_ptr info) { Self(info)->Rewind(); };
        Destination.empty_output_buffer = [](j_compress_ptr info) -> boolean {
            Self(info)->Drain(Self(info)->Buffer.size());
            return TRUE;
        };
        Destination.term_destination = [](j_compress_ptr info) {
            Self(info)->Drain(Self(info)->Buffer.size() - info->dest->free_in_buffer);
        };
    }

    ~TJpegEncoder() override { jpeg_destroy_compress(&Info); }

    void Start(int width, int height)
    {
        Row.resize(size_t(width) * 3);
        if (setjmp(Jump))
            Raise();
        jpeg_create_compress(&Info);
        Info.dest = &Destination;
        Info.image_width = JDIMENSION(width);
        Info.image_height = JDIMENSION(height);
        Info.input_components = 3;
        Info.in_color_space = JCS_RGB;
        jpeg_set_defaults(&Info);
        jpeg_set_quality(&Info, 95, TRUE);
        jpeg_start_compress(&Info, TRUE);
    }

    void Put(int, int count, const uint32_t* rows) override
    {
        if (setjmp(Jump))
            Raise();
        for (int y = 0; y < count; ++y) {
            const uint32_t* from = rows + size_t(y) * Info.image_width;
            for (size_t x = 0; x < Info.image_width; ++x) {
                Row[3 * x] = uint8_t(from[x] >> 16);
                Row[3 * x + 1] = uint8_t(from[x] >> 8);
                Row[3 * x + 2] = uint8_t(from[x]);
            }
            JSAMPROW row = Row.data();
            jpeg_write_scanlines(&Info, &row, 1);
        }
    }

    void Finish() override
    {
        if (setjmp(Jump))
            Raise();
        jpeg_finish_compress(&Info);
    }

private:
    static TJpegEncoder* Self(j_compress_ptr info) { return static_cast<TJpegEncoder*>(info->client_data); }

    [[noreturn]] static void OnError(j_common_ptr info)
    {
        std::longjmp(static_cast<TJpegEncoder*>(info->client_data)->Jump, 1);
    }

    [[noreturn]] void Raise()
    {
        if (FailedWrite)
            throw TWriteFailure{*FailedWrite};
        char message[JMSG_LENGTH_MAX];
        Errors.format_message(reinterpret_cast<j_common_ptr>(&Info), message);
        throw TError(std::string("the JPEG encoder failed: ") + message);
    }

    void Rewind()
    {
        Destination.next_output_byte = Buffer.data();
        Destination.free_in_buffer = Buffer.size();
    }

    // Writes the first `used` bytes of the buffer and starts it again.
    void Drain(size_t used)
    {
        try {
            Out.Write(Buffer.data(), used);
        } catch (const TWriteFailure& failure) {
            FailedWrite = failure.Code;
        }
        // Outside the handler: a longjmp must not leave it.
        if (FailedWrite)
            std::longjmp(Jump, 1);
        Rewind();
    }

    TFileOutput& Out;
    std::vector<JOCTET> Buffer;
    std::vector<JSAMPLE> Row;
    jpeg_compress_struct Info = {};
    jpeg_error_mgr Errors = {};
    jpeg_destination_mgr Destination = {};
    std::jmp_buf Jump;
    std::optional<int> FailedWrite;
};

} // namespace

std::unique_ptr<TImageEncoder> JpegEncoder(TFileOutput& out, int width, int height)
{
    auto encoder = std::make_unique<TJpegEncoder>(out);
    encoder->Start(width, height);
    return encoder;
}
