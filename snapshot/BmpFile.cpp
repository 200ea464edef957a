#include "snapshot/BmpFile.h"

#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "platform/LittleEndian.h"
#include "platform/ReadableFile.h"

#include <QFile>
#include <cstring>

namespace {

constexpr size_t FileHeaderSize = 14;
constexpr size_t InfoHeaderSize = 40;
constexpr size_t HeadersSize = FileHeaderSize + InfoHeaderSize;

void Put16(std::string& out, size_t at, uint16_t value)
{
    out[at] = static_cast<char>(value & 0xFF);
    out[at + 1] = static_cast<char>(value >> 8);
}

void Put32(std::string& out, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

[[noreturn]] void Invalid()
{
    throw TError("Bitmap image is not valid");
}

} // namespace

std::string BmpHeaders(int width, int height)
{
    const int64_t imageSize = TBitmap24::ImageBytes(width, height);
    if (imageSize < 0)
        throw TError("Cannot make a bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
                     " pixels");
    std::string out(HeadersSize, '\0');
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<uint32_t>(HeadersSize + static_cast<size_t>(imageSize)));
    Put32(out, 10, HeadersSize);
    Put32(out, 14, InfoHeaderSize);
    Put32(out, 18, static_cast<uint32_t>(width));
    Put32(out, 22, static_cast<uint32_t>(height));
    Put16(out, 26, 1);   // planes
    Put16(out, 28, 24);  // bits per pixel
    Put32(out, 34, static_cast<uint32_t>(imageSize));
    // Compression (uncompressed), resolution and colour counts stay 0.
    return out;
}

std::string EncodeBmp(const TBitmap24& bitmap)
{
    const size_t stride = bitmap.Stride();
    std::string out = BmpHeaders(bitmap.Width(), bitmap.Height());
    out.resize(HeadersSize + stride * static_cast<size_t>(bitmap.Height()));
    for (int y = 0; stride != 0 && y < bitmap.Height(); ++y) {
        const size_t fileRow = static_cast<size_t>(bitmap.Height() - 1 - y);
        std::memcpy(out.data() + HeadersSize + fileRow * stride, bitmap.Row(y), stride);
    }
    return out;
}

TBitmap24 DecodeBmp(std::string_view data)
{
    if (data.size() < HeadersSize || data[0] != 'B' || data[1] != 'M')
        Invalid();
    const auto* header = reinterpret_cast<const uint8_t*>(data.data());
    const uint32_t offset = LittleEndian32(header + 10);
    const uint32_t infoSize = LittleEndian32(header + 14);
    const int32_t width = static_cast<int32_t>(LittleEndian32(header + 18));
    const int32_t height = static_cast<int32_t>(LittleEndian32(header + 22));
    const uint16_t bits = LittleEndian16(header + 28);
    const uint32_t compression = LittleEndian32(header + 30);
    if (infoSize < InfoHeaderSize || offset < FileHeaderSize + static_cast<uint64_t>(infoSize) || bits != 24 ||
        compression != 0 || width < 0 || height == INT32_MIN)
        Invalid();
    const bool topDown = height < 0;
    const int rows = topDown ? -height : height;
    const int64_t imageSize = TBitmap24::ImageBytes(width, rows);
    if (imageSize < 0 || offset > data.size() || data.size() - offset < static_cast<uint64_t>(imageSize))
        Invalid();
    TBitmap24 bitmap(width, rows);
    // Only the pixels are copied: the padding of a row in memory stays zero.
    const size_t stride = bitmap.Stride();
    const size_t used = static_cast<size_t>(width) * 3;
    for (int y = 0; used != 0 && y < rows; ++y) {
        const size_t fileRow = static_cast<size_t>(topDown ? y : rows - 1 - y);
        std::memcpy(bitmap.Row(y), data.data() + offset + fileRow * stride, used);
    }
    return bitmap;
}

void SaveBitmapToFile(const TBitmap24& bitmap, const std::string& fileName)
{
    WriteFileAtomically(fileName, EncodeBmp(bitmap));
}

TBitmap24 LoadBitmapFromFile(const std::string& fileName)
{
    QFile file;
    if (const int code = OpenForReading(file, fileName); code != 0)
        throw TError("Cannot open file " + fileName + ": " + std::strerror(code));
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw TError("Cannot open file " + fileName + ": " + file.errorString().toStdString());
    return DecodeBmp(std::string_view(data.constData(), static_cast<size_t>(data.size())));
}
