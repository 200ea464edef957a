// libpng reports a fatal error by a longjmp back to the setjmp of the step
// that met it; those steps hold no object with a destructor, and the read
// structures are always destroyed.
#include "cover/PngImage.h"

#include "cover/LargeBuffer.h"
#include "cover/TextureImage.h"
#include "platform/pictures/PictureLimits.h"

#include <csetjmp>
#include <cstring>
#include <png.h>
#include <vector>

namespace {

constexpr uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

struct TPngRead {
    const uint8_t* Data;
    size_t Size;
    size_t At = 0;
    std::string Error;
    std::string Warnings;  // "; " between them

    TPngRead(const uint8_t* data, size_t size) : Data(data), Size(size)
    {
        Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, this, OnError, OnWarning);
        Info = Png ? png_create_info_struct(Png) : nullptr;
        if (Png)
            png_set_read_fn(Png, this, OnRead);
    }
    ~TPngRead() { png_destroy_read_struct(&Png, &Info, nullptr); }
    TPngRead(const TPngRead&) = delete;
    TPngRead& operator=(const TPngRead&) = delete;

    png_structp Png = nullptr;
    png_infop Info = nullptr;

private:
    static TPngRead& Of(png_structp png) { return *static_cast<TPngRead*>(png_get_error_ptr(png)); }

    [[noreturn]] static void OnError(png_structp png, png_const_charp message)
    {
        Of(png).Error = message;
        png_longjmp(png, 1);
    }

    static void OnWarning(png_structp png, png_const_charp message)
    {
        std::string& warnings = Of(png).Warnings;
        warnings += (warnings.empty() ? "" : "; ") + std::string(message);
    }

    static void OnRead(png_structp png, png_bytep into, size_t count)
    {
        auto& read = *static_cast<TPngRead*>(png_get_io_ptr(png));
        if (count > read.Size - read.At)
            png_error(png, "the file ends before its picture does");
        std::memcpy(into, read.Data + read.At, count);
        read.At += count;
    }
};

// Reads the header and asks for 8-bit RGBA rows; false after an error.
bool ReadHeader(TPngRead& read, png_uint_32& width, png_uint_32& height)
{
    if (setjmp(png_jmpbuf(read.Png)))
        return false;
    png_read_info(read.Png, read.Info);
    width = png_get_image_width(read.Png, read.Info);
    height = png_get_image_height(read.Png, read.Info);
    png_set_expand(read.Png);    // a palette, grey below 8 bits and a transparent colour
    png_set_scale_16(read.Png);  // rounded, as Qt's conversions round
    png_set_gray_to_rgb(read.Png);
    png_set_add_alpha(read.Png, 0xFF, PNG_FILLER_AFTER);  // where the file has none
    png_set_interlace_handling(read.Png);
    png_read_update_info(read.Png, read.Info);
    return true;
}

bool ReadRows(TPngRead& read, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(read.Png)))
        return false;
    png_read_image(read.Png, rows);
    png_read_end(read.Png, nullptr);
    return true;
}

} // namespace

bool IsPngFile(const uint8_t* data, size_t size)
{
    return size >= sizeof Signature && std::memcmp(data, Signature, sizeof Signature) == 0;
}

std::string ReadPng(TTextureImage& image, const uint8_t* data, size_t size, const char* tooLarge)
{
    image.ImageData.reset();
    TPngRead read(data, size);
    if (!read.Info)
        return "not enough memory to start libpng";
    png_uint_32 width = 0, height = 0;
    bool whole = ReadHeader(read, width, height);
    if (whole) {
        CheckPictureSize(tooLarge, width, height);
        image.ImageData = AllocateLargeBuffer(size_t(width) * size_t(height) * 4);
        if (!image.ImageData)
            return "not enough memory for its " + std::to_string(width) + " x " + std::to_string(height) + " pixels";
        std::vector<png_bytep> rows(height);
        for (png_uint_32 y = 0; y < height; ++y)
            rows[y] = image.ImageData.get() + size_t(height - 1 - y) * size_t(width) * 4;
        whole = ReadRows(read, rows.data());
    }
    if (!whole) {
        image.ImageData.reset();
        return read.Error + (read.Warnings.empty() ? "" : " (" + read.Warnings + ")");
    }
    image.Width = int32_t(width);
    image.Height = int32_t(height);
    image.BitsPerPixel = 32;
    return {};
}
