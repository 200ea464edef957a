#include "render/picture/ImageFile.h"

#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "platform/FileExtension.h"
#include "render/picture/BackgroundRows.h"
#include "render/picture/ImageEncoders.h"
#include "snapshot/Bitmap24.h"

#include <jpeglib.h>

namespace {

std::unique_ptr<TImageEncoder> Encoder(TImageFormat format, TFileOutput& out, int width, int height, bool alpha,
                                       int quality, int pngLevel)
{
    switch (format) {
    case TImageFormat::Png:
        return PngEncoder(out, width, height, alpha, pngLevel);
    case TImageFormat::Bmp:
        return BmpEncoder(out, width, height);
    case TImageFormat::WebP:
        return WebPEncoder(out, width, height, quality);
    case TImageFormat::Jpeg:
        break;
    }
    return JpegEncoder(out, width, height, quality);
}

} // namespace

std::optional<TImageFormat> ImageFormatOf(const std::string& fileName)
{
    const std::string extension = LowerCaseAscii(FileExtension(fileName));
    if (extension == "png")
        return TImageFormat::Png;
    if (extension == "bmp")
        return TImageFormat::Bmp;
    if (extension == "jpg" || extension == "jpeg")
        return TImageFormat::Jpeg;
    if (extension == "webp")
        return TImageFormat::WebP;
    return std::nullopt;
}

const char* FormatExtension(TImageFormat format)
{
    switch (format) {
    case TImageFormat::Png:
        return "png";
    case TImageFormat::Bmp:
        return "bmp";
    case TImageFormat::WebP:
        return "webp";
    case TImageFormat::Jpeg:
        break;
    }
    return "jpg";
}

bool KeepsAlpha(TImageFormat format)
{
    return format == TImageFormat::Png || format == TImageFormat::WebP;
}

std::string ImageSizeProblem(TImageFormat format, int width, int height)
{
    if (format == TImageFormat::Jpeg && (width > JPEG_MAX_DIMENSION || height > JPEG_MAX_DIMENSION))
        return "a JPEG picture is at most " + std::to_string(JPEG_MAX_DIMENSION) + " pixels a side";
    if (format == TImageFormat::WebP && (width > MaxWebPSide || height > MaxWebPSide))
        return "a WebP picture is at most " + std::to_string(MaxWebPSide) + " pixels a side";
    if (format == TImageFormat::Bmp && TBitmap24::ImageBytes(width, height) < 0)
        return "a BMP picture holds at most 4 GiB, and " + std::to_string(width) + " x " + std::to_string(height) +
               " pixels take more: write a .png";
    return {};
}

void WriteImageFile(const std::string& fileName, TImageFormat format, int width, int height, bool alpha,
                    const std::function<void(TPictureRows& rows)>& draw, int quality, int pngLevel)
{
    WriteEncodedFile(
        fileName, width, [&](TFileOutput& out) { return Encoder(format, out, width, height, alpha, quality, pngLevel); },
        draw);
}

void WriteEncodedFile(const std::string& fileName, int width,
                      const std::function<std::unique_ptr<TImageEncoder>(TFileOutput& out)>& encoder,
                      const std::function<void(TPictureRows& rows)>& draw)
{
    WriteFileAtomically(
        fileName,
        [&](int fd) {
            try {
                TFileOutput out(fd);
                const std::unique_ptr<TImageEncoder> encoding = encoder(out);
                {
                    TBackgroundRows rows(*encoding, width);
                    draw(rows);
                    rows.Finish();
                }
                encoding->Finish();
                out.Flush();
                return 0;
            } catch (const TWriteFailure& failure) {
                return failure.Code;
            }
        });
}
