#include "platform/Picture.h"

#include "platform/Error.h"
#include "platform/FileExtension.h"
#include "platform/Metafile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace {

// No picture file of ours comes near this; a bigger one is refused, not read.
constexpr qint64 kMaxFileSize = qint64(256) << 20;

enum class TReader { Bitmap, Jpeg, Icon, Wmf, Emf };

TReader ReaderFor(const std::string& extension)
{
    const std::string lower = LowerCaseAscii(extension);
    if (lower == "bmp" || lower == "dib")
        return TReader::Bitmap;
    if (lower == "jpg" || lower == "jpeg")
        return TReader::Jpeg;
    if (lower == "ico")
        return TReader::Icon;
    if (lower == "wmf")
        return TReader::Wmf;
    if (lower == "emf")
        return TReader::Emf;
    throw TError("Unknown picture file extension (." + extension + ")");
}

// Pictures are drawn opaque: what is transparent in them shows white.
QImage Opaque(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

// An icon file holds several pictures; the largest one draws best stretched.
// Its directory gives each 16 bytes after a 6-byte header, so a count beyond
// what the file can hold is not believed.
void JumpToLargestIcon(QImageReader& reader, qsizetype fileSize)
{
    const int count = int(std::min<qsizetype>(reader.imageCount(), (fileSize - 6) / 16));
    int best = 0;
    qint64 bestArea = -1;
    for (int i = 0; i < count && reader.jumpToImage(i); ++i) {
        const QSize size = reader.size();
        if (qint64(size.width()) * size.height() > bestArea) {
            best = i;
            bestArea = qint64(size.width()) * size.height();
        }
    }
    reader.jumpToImage(best);
}

QImage ReadRaster(const QByteArray& data, TReader kind)
{
    const char* format = kind == TReader::Bitmap ? "bmp" : kind == TReader::Jpeg ? "jpeg" : "ico";
    const std::string invalid = kind == TReader::Bitmap ? "Bitmap image is not valid"
                                : kind == TReader::Jpeg ? "JPEG image is not valid"
                                                        : "Icon image is not valid";
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    if (kind == TReader::Icon)
        JumpToLargestIcon(reader, data.size());
    // A bitmap stored top-down gives its height negative.
    const qint64 width = std::abs(qint64(reader.size().width())), height = std::abs(qint64(reader.size().height()));
    if (width > kMaxPictureSide || height > kMaxPictureSide)
        throw TError(invalid + " (" + std::to_string(width) + " x " + std::to_string(height) + " pixels is too large)");
    QImage image;
    if (!reader.read(&image))
        throw TError(invalid + " (" + reader.errorString().toStdString() + ")");
    return Opaque(image);
}

} // namespace

void TPicture::LoadFromFile(const std::string& fileName)
{
    const std::string extension = FileExtension(fileName);
    ReaderFor(extension);
    QFile file(QString::fromStdString(fileName));
    if (!file.open(QIODevice::ReadOnly))
        throw TError("Cannot open file " + fileName);
    const QByteArray data = file.read(kMaxFileSize + 1);
    if (data.size() > kMaxFileSize)
        throw TError("Picture file is too large: " + fileName);
    LoadFromData(data, extension);
}

void TPicture::LoadFromData(const QByteArray& data, const std::string& extension)
{
    const TReader kind = ReaderFor(extension);
    if (kind == TReader::Wmf)
        Image = ReadMetafile(data, TMetafileFormat::Wmf);
    else if (kind == TReader::Emf)
        Image = ReadMetafile(data, TMetafileFormat::Emf);
    else
        Image = ReadRaster(data, kind);
}

void TPicture::StretchDraw(QPainter& painter, const QRectF& target) const
{
    if (Empty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(target, Image);
    painter.restore();
}
