// The JPEG reader of the texture object, on libjpeg's own interface. A fatal
// libjpeg error longjmps back into the step that called libjpeg; those steps
// hold no object with a destructor, and the decompressor is always destroyed.
#include "cover/TextureImage.h"
#include "platform/Error.h"
#include "platform/pictures/PictureLimits.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>
#include <string>

namespace {

struct TJpegErrors {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
    std::string Damage;  // the first complaint before the data's end, if it ends early
    bool Ended = false;   // the data ran out: libjpeg read on with a made-up end
};

std::string Message(j_common_ptr info)
{
    char text[JMSG_LENGTH_MAX];
    info->err->format_message(info, text);
    return text;
}

// Keeps the first complaint before the data's end, an error's included:
// what libjpeg says after that is about the end.
void NoteDamage(j_common_ptr info)
{
    auto* errors = reinterpret_cast<TJpegErrors*>(info->err);
    errors->Ended = errors->Ended || errors->Manager.msg_code == JWRN_JPEG_EOF;
    if (!errors->Ended && errors->Damage.empty())
        errors->Damage = Message(info);
}

[[noreturn]] void JumpBack(j_common_ptr info)
{
    NoteDamage(info);
    std::longjmp(reinterpret_cast<TJpegErrors*>(info->err)->Jump, 1);
}

// Warnings and traces are not shown.
void Note(j_common_ptr info, int level)
{
    if (level < 0)
        NoteDamage(info);
}

struct TDecompressor {
    TDecompressor()
    {
        jpeg_std_error(&Errors.Manager);
        Errors.Manager.error_exit = JumpBack;
        Errors.Manager.emit_message = Note;
        Info.err = &Errors.Manager;
    }
    ~TDecompressor() { jpeg_destroy_decompress(&Info); }
    TDecompressor(const TDecompressor&) = delete;
    TDecompressor& operator=(const TDecompressor&) = delete;

    jpeg_decompress_struct Info = {};
    TJpegErrors Errors;
};

bool ReadHeader(TDecompressor& jpeg, const uint8_t* data, size_t size)
{
    if (setjmp(jpeg.Errors.Jump))
        return false;
    jpeg_create_decompress(&jpeg.Info);
    jpeg_mem_src(&jpeg.Info, data, size);
    jpeg_read_header(&jpeg.Info, TRUE);
    return true;
}

// Print artwork stores ink, not light: CMYK, or YCCK, which libjpeg turns
// into CMYK. Adobe's writers store every ink inverted (255 is no ink), so the
// light left by cyan and black together is c x k / 255, rounded, as djpeg has it.
bool IsInk(const jpeg_decompress_struct& info)
{
    return info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
}

void InkToLight(uint8_t* pixel, size_t count)
{
    for (size_t i = 0; i < count; ++i, pixel += 4) {
        const unsigned black = pixel[3];
        for (int c = 0; c < 3; ++c)
            pixel[c] = uint8_t((pixel[c] * black + 127) / 255);
        pixel[3] = 255;
    }
}

// The smallest M of the scales M / 8 (M 1, 2, 4 or 8) that keeps at least
// minWidth x minHeight pixels (libjpeg rounds the parts up); 8, the image's
// own size, when none smaller does. libjpeg-turbo reduces by an eighth, a
// quarter and a half in vector code; the other eighths take plain C
// transforms, slower than reading the whole picture.
unsigned Eighths(const jpeg_decompress_struct& info, int minWidth, int minHeight)
{
    for (unsigned eighths = 1; eighths < 8; eighths *= 2)
        if ((uint64_t(info.image_width) * eighths + 7) / 8 >= uint64_t(std::max(minWidth, 1)) &&
            (uint64_t(info.image_height) * eighths + 7) / 8 >= uint64_t(std::max(minHeight, 1)))
            return eighths;
    return 8;
}

// Asks libjpeg to decode at eighths / 8 of the image's size and sets the
// output size it will give.
bool Reduce(TDecompressor& jpeg, unsigned eighths)
{
    if (setjmp(jpeg.Errors.Jump))
        return false;
    jpeg.Info.scale_num = eighths;
    jpeg.Info.scale_denom = 8;
    jpeg_calc_output_dimensions(&jpeg.Info);
    return true;
}

// Decodes into pixels (width x height x 4 bytes, the output size) as red,
// green, blue, alpha 255, the bottom row first.
bool Decode(TDecompressor& jpeg, uint8_t* pixels, JDIMENSION width, JDIMENSION height)
{
    if (setjmp(jpeg.Errors.Jump))
        return false;
    jpeg_decompress_struct& info = jpeg.Info;
    const bool ink = IsInk(info);
    info.out_color_space = ink ? JCS_CMYK : JCS_EXT_RGBA;
    jpeg_start_decompress(&info);
    if (info.output_width != width || info.output_height != height)
        return false;
    const size_t stride = size_t(info.output_width) * 4;
    constexpr JDIMENSION batch = 16;
    JSAMPROW rows[batch];
    while (info.output_scanline < info.output_height) {
        const JDIMENSION count = std::min(batch, info.output_height - info.output_scanline);
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] = pixels + size_t(info.output_height - 1 - info.output_scanline - i) * stride;
        const JDIMENSION read = jpeg_read_scanlines(&info, rows, count);
        for (JDIMENSION i = 0; ink && i < read; ++i)
            InkToLight(rows[i], info.output_width);
    }
    jpeg_finish_decompress(&info);
    return true;
}

// Decodes the whole image at an eighth of its size, each row over the last,
// for what libjpeg says on the way.
void Skim(TDecompressor& jpeg)
{
    if (setjmp(jpeg.Errors.Jump))
        return;
    jpeg_decompress_struct& info = jpeg.Info;
    info.scale_denom = 8;
    jpeg_start_decompress(&info);
    // libjpeg's own memory, which goes with the decompressor.
    const JSAMPARRAY row = info.mem->alloc_sarray(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                  info.output_width * JDIMENSION(info.output_components), 1);
    while (info.output_scanline < info.output_height)
        jpeg_read_scanlines(&info, row, 1);
    jpeg_finish_decompress(&info);
}

}  // namespace

std::string JpegDamage(const uint8_t* data, size_t size)
{
    if (size < 2 || data[0] != 0xFF || data[1] != 0xD8)
        return {};
    TDecompressor jpeg;
    if (ReadHeader(jpeg, data, size))
        Skim(jpeg);
    return jpeg.Errors.Damage;
}

bool TTextureImage::DecodeJpeg(const uint8_t* data, size_t size, int minWidth, int minHeight)
{
    TDecompressor jpeg;
    if (!ReadHeader(jpeg, data, size))
        return false;
    CheckPictureSize(kJpegNotValid, jpeg.Info.image_width, jpeg.Info.image_height);
    Width = int32_t(jpeg.Info.image_width);
    Height = int32_t(jpeg.Info.image_height);
    if (minWidth == 0 && minHeight == 0)
        return OnePixel();
    if (const unsigned eighths = Eighths(jpeg.Info, minWidth, minHeight); eighths < 8) {
        if (!Reduce(jpeg, eighths))
            return false;
        Width = int32_t(jpeg.Info.output_width);
        Height = int32_t(jpeg.Info.output_height);
    }
    BitsPerPixel = 32;
    if (!AllocateImageData())
        return false;
    if (!Decode(jpeg, ImageData.get(), JDIMENSION(Width), JDIMENSION(Height))) {
        FreeImageData();
        throw TError("JPEG error #" + std::to_string(jpeg.Errors.Manager.msg_code));
    }
    return true;
}
