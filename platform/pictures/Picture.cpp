#include "platform/pictures/Picture.h"

#include "platform/pictures/BitFields.h"
#include "platform/Error.h"
#include "platform/FileExtension.h"
#include "platform/LittleEndian.h"
#include "platform/pictures/Metafile.h"
#include "platform/pictures/PictureLimits.h"
#include "platform/ReadableFile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace {

// A bitmap of the largest picture, with room for its headers and palette; a
// bigger file is refused, not read.
constexpr qint64 kMaxFileSize = qint64(kMaxPictureBytes) + (qint64(1) << 20);

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

// The size a bitmap's info header gives (the old 12-byte header keeps it in
// 16 bits), unchecked; nothing for a file too short to hold it. Qt's reader
// gives no size at all for a bitmap past the bound, so it is taken from here.
QSize BitmapHeaderSize(const QByteArray& data)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(data.constData());
    if (data.size() < 26)
        return {};
    if (LittleEndian32(bytes + 14) == 12)
        return QSize(LittleEndian16(bytes + 18), LittleEndian16(bytes + 20));
    return QSize(int32_t(LittleEndian32(bytes + 18)), int32_t(LittleEndian32(bytes + 22)));
}

QImage ReadRaster(const QByteArray& data, TReader kind)
{
    const char* format = kind == TReader::Bitmap ? "bmp" : kind == TReader::Jpeg ? "jpeg" : "ico";
    const char* invalid = kind == TReader::Bitmap ? kBitmapNotValid
                          : kind == TReader::Jpeg ? kJpegNotValid
                                                  : "Icon image is not valid";
    QBuffer buffer;
    buffer.setData(kind == TReader::Bitmap ? WithByteFields(data) : data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    if (kind == TReader::Icon)
        JumpToLargestIcon(reader, data.size());
    // A bitmap stored top-down gives its height negative.
    const QSize size = kind == TReader::Bitmap ? BitmapHeaderSize(data) : reader.size();
    CheckPictureSize(invalid, uint64_t(std::abs(qint64(size.width()))), uint64_t(std::abs(qint64(size.height()))));
    FollowPictureBoundInQtReaders();
    QImage image;
    if (!reader.read(&image))
        throw TError(std::string(invalid) + " (" + reader.errorString().toStdString() + ")");
    return Opaque(image);
}

} // namespace

void TPicture::LoadFromFile(const std::string& fileName)
{
    const std::string extension = FileExtension(fileName);
    ReaderFor(extension);
    QFile file;
    if (OpenForReading(file, fileName) != 0)
        throw TError("Cannot open file " + fileName);
    const std::optional<QByteArray> data = ReadAtMost(file, kMaxFileSize);
    if (!data)
        throw TError("Picture file is too large: " + fileName);
    LoadFromData(*data, extension);
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
