#include "render/export/TextureEncoding.h"

#include "cover/TextureImage.h"
#include "platform/Error.h"
#include "render/artwork/FacePixels.h"

#include <QBuffer>
#include <QImage>

namespace {

bool HasAlpha(const TTextureImage& image)
{
    const size_t pixels = size_t(image.Width) * size_t(image.Height);
    for (size_t i = 0; i < pixels; ++i)
        if (image.ImageData[i * 4 + 3] != 255)
            return true;
    return false;
}

} // namespace

TEncodedImage EncodeTexture(const TTextureImage& image, TPixelSize size)
{
    TEncodedImage encoded{.MimeType = "image/jpeg", .Bytes = {}, .Alpha = HasAlpha(image)};
    // The pixels are held bottom row first; mirrored() copies them.
    QImage pixels =
        QImage(image.ImageData.get(), image.Width, image.Height, QImage::Format_RGBA8888).mirrored(false, true);
    if (encoded.Alpha)
        BleedIntoTransparent(pixels.bits(), pixels.width(), pixels.height(), 2);
    if (pixels.width() != size.Width || pixels.height() != size.Height)
        pixels = pixels.scaled(size.Width, size.Height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool written = false;
    if (encoded.Alpha) {
        encoded.MimeType = "image/png";
        written = pixels.save(&buffer, "PNG");
    } else {
        written = pixels.convertToFormat(QImage::Format_RGB888).save(&buffer, "JPEG", TextureJpegQuality);
    }
    if (!written || bytes.isEmpty())
        throw TError("Cannot encode a texture of " + std::to_string(size.Width) + " x " +
                     std::to_string(size.Height) + " pixels");
    encoded.Bytes.assign(bytes.begin(), bytes.end());
    return encoded;
}
