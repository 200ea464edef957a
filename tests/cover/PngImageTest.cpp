#include "cover/PngImage.h"

#include "cover/TextureImage.h"
#include "tests/cover/ImageFileBuilders.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <gtest/gtest.h>
#include <zlib.h>

namespace {

TBytes Png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(QImageWriter(&buffer, "png").write(image));
    return TBytes(bytes.begin(), bytes.end());
}

// A 7 x 5 picture of every colour channel's ramp, with a see-through column.
QImage Ramps(QImage::Format format)
{
    QImage image(7, 5, QImage::Format_RGBA64);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            image.setPixelColor(x, y, QColor::fromRgba64(uint16_t(x * 9000 + y * 97), uint16_t(y * 16000 + 13),
                                                         uint16_t(60000 - x * 8000), x == 6 ? 0 : 65535));
    return format == QImage::Format_Indexed8 ? image.convertToFormat(QImage::Format_ARGB32).convertToFormat(format)
                                             : image.convertToFormat(format);
}

std::string Read(TTextureImage& image, const TBytes& png)
{
    return ReadPng(image, png.data(), png.size(), "Cannot read picture p.png");
}

} // namespace

TEST(PngImage, EveryKindOfPngGivesTheRgbaQtGivesTheBottomRowFirst)
{
    const std::pair<const char*, QImage::Format> kinds[] = {
        {"RGB", QImage::Format_RGB32},         {"RGBA", QImage::Format_ARGB32},
        {"16-bit RGBA", QImage::Format_RGBA64}, {"grey", QImage::Format_Grayscale8},
        {"16-bit grey", QImage::Format_Grayscale16}, {"palette with alpha", QImage::Format_Indexed8},
        {"one bit", QImage::Format_Mono}};
    for (const auto& [kind, format] : kinds) {
        SCOPED_TRACE(kind);
        const TBytes png = Png(Ramps(format));
        const QImage qts = QImage::fromData(png.data(), int(png.size()), "png").convertToFormat(QImage::Format_RGBA8888);
        TTextureImage image;
        ASSERT_EQ(Read(image, png), "");
        ASSERT_EQ(image.Width, 7);
        ASSERT_EQ(image.Height, 5);
        for (int y = 0; y < 5; ++y)
            EXPECT_EQ(std::memcmp(image.ImageData.get() + size_t(4 - y) * 28, qts.constScanLine(y), 28), 0) << y;
    }
}

TEST(PngImage, DamageIsLibpngsOwnWordsAndLeavesNoBuffer)
{
    const TBytes whole = Png(Ramps(QImage::Format_RGB32));
    TBytes crc = whole, chunk = whole;
    crc[crc.size() - 13] ^= 1;  // the last IDAT's CRC, before the 12-byte IEND
    // An ancillary chunk with a bad CRC, before the data: a warning.
    const uint8_t text[] = {0, 0, 0, 1, 't', 'E', 'X', 't', 'x', 0, 0, 0, 0};
    chunk.insert(chunk.begin() + 33, std::begin(text), std::end(text));
    chunk.resize(chunk.size() - 20);
    const std::pair<TBytes, std::string> cases[] = {
        {crc, "IDAT: CRC error"},
        {TBytes(whole.begin(), whole.end() - 30), "the file ends before its picture does"},
        {chunk, "the file ends before its picture does (tEXt: CRC error)"},
    };
    for (const auto& [png, problem] : cases) {
        TTextureImage image;
        EXPECT_EQ(Read(image, png), problem);
        EXPECT_EQ(image.ImageData, nullptr);
    }
}
