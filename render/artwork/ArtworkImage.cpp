#include "render/artwork/ArtworkImage.h"

#include "cover/LargeBuffer.h"
#include "cover/PngImage.h"
#include "cover/TextureImage.h"
#include "platform/pictures/BitFields.h"
#include "platform/Error.h"
#include "platform/FileExtension.h"
#include "platform/pictures/PictureLimits.h"
#include "platform/ReadableFile.h"
#include "platform/pictures/TiffMessages.h"
#include "render/artwork/PictureEnds.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <cstring>

namespace {

// A file of the largest picture, with room for its headers; a bigger one is
// refused, not read.
constexpr qint64 MaxFileSize = qint64(kMaxPictureBytes) + (qint64(1) << 20);

[[noreturn]] void CannotRead(const std::string& name, const std::string& reason)
{
    throw TError("Cannot read picture " + name + ": " + reason);
}

// Until it goes, what Qt's image readers say (libpng's and libtiff's
// complaints, say) is kept for an error message instead of being printed.
class TReaderMessages {
public:
    TReaderMessages() : Previous_(qInstallMessageHandler(Keep))
    {
        Kept().clear();
        SendTiffMessagesToQt();
    }
    ~TReaderMessages() { qInstallMessageHandler(Previous_); }
    TReaderMessages(const TReaderMessages&) = delete;
    TReaderMessages& operator=(const TReaderMessages&) = delete;

    // " (what was said)", or nothing.
    static std::string Said() { return Kept().empty() ? std::string() : " (" + Kept() + ")"; }

private:
    static std::string& Kept()
    {
        static std::string kept;
        return kept;
    }
    static void Keep(QtMsgType, const QMessageLogContext&, const QString& message)
    {
        Kept() += (Kept().empty() ? "" : "; ") + message.toStdString();
    }

    const QtMessageHandler Previous_;
};

std::unique_ptr<TTextureImage> ThroughTextureLoader(const QByteArray& bytes, const std::string& fileName,
                                                    bool bitmap, const TImageNeed& need)
{
    auto texture = std::make_unique<TTextureImage>();
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
    bool loaded = false;
    try {
        loaded = bitmap ? texture->LoadBmpFromMemory(data, size_t(bytes.size()))
                        : texture->LoadJpegFromMemory(data, size_t(bytes.size()), need.Width, need.Height);
    } catch (const TError& e) {
        CannotRead(fileName, e.what());
    }
    if (!loaded)
        CannotRead(fileName, "it is damaged or not a picture of its kind");
    return texture;
}

} // namespace

std::unique_ptr<TTextureImage> DecodeArtworkImage(const QByteArray& bytes, const std::string& name)
{
    const std::string tooLarge = "Cannot read picture " + name;
    // libpng's own words go into the report, not onto the terminal.
    if (const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData()); IsPngFile(data, size_t(bytes.size()))) {
        auto texture = std::make_unique<TTextureImage>();
        if (const std::string problem = ReadPng(*texture, data, size_t(bytes.size()), tooLarge.c_str()); !problem.empty())
            CannotRead(name, problem);
        return texture;
    }
    QBuffer buffer;
    buffer.setData(WithByteFields(bytes));
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const TReaderMessages messages;
    if (!reader.canRead())
        CannotRead(name, "it is no picture of a format this program reads (PNG, JPEG, WebP, TIFF, GIF, BMP, ...)");
    if (const QSize size = reader.size(); size.isValid())
        CheckPictureSize(tooLarge.c_str(), uint64_t(std::max(0, size.width())), uint64_t(std::max(0, size.height())));
    FollowPictureBoundInQtReaders();
    QImage image;
    if (!reader.read(&image))
        CannotRead(name, reader.errorString().toStdString() + TReaderMessages::Said());
    CheckPictureSize(tooLarge.c_str(), uint64_t(image.width()), uint64_t(image.height()));
    image.convertTo(QImage::Format_RGBA8888);
    auto texture = std::make_unique<TTextureImage>();
    texture->ImageData = AllocateLargeBuffer(size_t(image.width()) * size_t(image.height()) * 4);
    if (image.isNull() || !texture->ImageData)
        CannotRead(name, "not enough memory for its " + std::to_string(image.width()) + " x " +
                             std::to_string(image.height()) + " pixels");
    texture->Width = image.width();
    texture->Height = image.height();
    texture->BitsPerPixel = 32;
    // GL takes the bottom row first.
    const size_t row = size_t(image.width()) * 4;
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(texture->ImageData.get() + size_t(image.height() - 1 - y) * row, image.constScanLine(y), row);
    return texture;
}

bool MayReadReduced(const std::string& fileName)
{
    return LowerCaseAscii(FileExtension(fileName)) == "jpg";
}

bool ReadsOpaque(const std::string& fileName)
{
    const std::string extension = LowerCaseAscii(FileExtension(fileName));
    return extension == "bmp" || extension == "jpg";
}

std::unique_ptr<TTextureImage> ReadArtworkImage(const std::string& fileName, const TImageNeed& need)
{
    RequireReadableFile(fileName);
    QFile file;
    if (const int code = OpenForReading(file, fileName); code != 0)
        throw TError("Cannot open file " + fileName + ": " + std::strerror(code));
    const std::optional<QByteArray> read = ReadAtMost(file, MaxFileSize);
    if (!read)
        CannotRead(fileName, "the file is larger than any picture this program reads");
    const QByteArray& bytes = *read;
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
    if (!PictureEndsWhole(data, size_t(bytes.size()))) {
        const std::string damage = JpegDamage(data, size_t(bytes.size()));
        CannotRead(fileName, damage.empty() ? "the file ends before its picture does (is it cut short?)" : damage);
    }
    if (ReadsOpaque(fileName))
        return ThroughTextureLoader(bytes, fileName, !MayReadReduced(fileName), need);
    return DecodeArtworkImage(bytes, fileName);
}
