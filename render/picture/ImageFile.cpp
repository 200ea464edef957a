#include "render/picture/ImageFile.h"

#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "platform/FileExtension.h"
#include "render/picture/BackgroundRows.h"
#include "render/picture/ImageEncoders.h"
#include "snapshot/Bitmap24.h"

#include <jpeglib.h>

namespace {

std::unique_ptr<TImageEncoder> Encoder(TImageFormat format, TFileOutput& out, int width, int height, bool alpha)
{
    switch (format) {
    case TImageFormat::Png:
        return PngEncoder(out, width, height, alpha);
    case TImageFormat::Bmp:
        return BmpEncoder(out, width, height);
    case TImageFormat::Jpeg:
        break;
    }
    return JpegEncoder(out, width, height);
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
    return std::nullopt;
}

std::string ImageSizeProblem(TImageFormat format, int width, int height)
{
    if (format == TImageFormat::Jpeg && (width > JPEG_MAX_DIMENSION || height > JPEG_MAX_DIMENSION))
        return "a JPEG picture is at most " + std::to_string(JPEG_MAX_DIMENSION) + " pixels a side";
    if (format == TImageFormat::Bmp && TBitmap24::ImageBytes(width, height) < 0)
        return "a BMP picture holds at most 4 GiB, and " + std::to_string(width) + " x " + std::to_string(height) +
               " pixels take more: write a .png";
    return {};
}

void WriteImageFile(const std::string& fileName, TImageFormat format, int width, int height, bool alpha,
                    const std::function<void(TPictureRows& rows)>& draw)
{
    WriteFileAtomically(
        fileName,
        [&](int fd) {
            try {
                TFileOutput out(fd);
                const std::unique_ptr<TImageEncoder> encoder = Encoder(format, out, width, height, alpha);
                {
                    TBackgroundRows encoding(*encoder, width);
                    draw(encoding);
                    encoding.Finish();
                }
                encoder->Finish();
                out.Flush();
                return 0;
            } catch (const TWriteFailure& failure) {
                return failure.Code;
            }
        });
}
