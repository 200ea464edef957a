#include "render/artwork/PictureEnds.h"
#include "tests/cover/ImageFileBuilders.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

namespace {

TBytes Saved(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format)) << format;
    return TBytes(bytes.begin(), bytes.end());
}

QImage Stripes()
{
    QImage image(24, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x)
            image.setPixel(x, y, qRgb(x * 10, y * 15, (x * y) % 256));
    return image;
}

// A white pixel on a black one's screen: a colour table, a control
// extension, an image and the trailer. (Qt writes no GIF.)
TBytes SmallGif()
{
    return {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0xFF, 0xFF,
            0xFF, 0x00, 0x00, 0x00, 0x21, 0xF9, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00,
            0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
}

// The first prefix of the file that is taken for whole, of those long enough
// to show what file it is; the file's size when only the whole file is.
size_t ShortestWhole(const TBytes& file)
{
    for (size_t size = 6; size < file.size(); ++size)
        if (PictureEndsWhole(file.data(), size))
            return size;
    return file.size();
}

} // namespace

TEST(PictureEnds, AJpegOrGifCutShortAnywhereIsNotWhole)
{
    TBytes pixels;
    for (int i = 0; i < 24 * 16; ++i)
        pixels.insert(pixels.end(), {uint8_t(i), uint8_t(i * 7), uint8_t(i * 13)});
    const TBytes jpegs[] = {JpegFile(24, 16, TJpegColours::Rgb, pixels),
                            JpegFile(24, 16, TJpegColours::Rgb, pixels, true),  // progressive: several scans
                            Saved(Stripes(), "JPEG")};
    for (const TBytes& jpeg : jpegs) {
        ASSERT_TRUE(PictureEndsWhole(jpeg.data(), jpeg.size()));
        // Only the end-of-image marker makes it whole.
        EXPECT_EQ(ShortestWhole(jpeg), jpeg.size());
        // What follows the end does not count.
        TBytes padded = jpeg;
        padded.insert(padded.end(), {0x00, 0xFF, 0x12});
        EXPECT_TRUE(PictureEndsWhole(padded.data(), padded.size()));
    }
    const TBytes gif = SmallGif();
    ASSERT_TRUE(PictureEndsWhole(gif.data(), gif.size()));
    EXPECT_EQ(ShortestWhole(gif), gif.size());
}

TEST(PictureEnds, OtherFormatsAreLeftToTheirDecoders)
{
    for (const char* format : {"PNG", "BMP", "TIFF"}) {
        const TBytes file = Saved(Stripes(), format);
        EXPECT_TRUE(PictureEndsWhole(file.data(), file.size() / 2)) << format;
    }
    const uint8_t text[] = "hello";
    EXPECT_TRUE(PictureEndsWhole(text, sizeof text));
    EXPECT_TRUE(PictureEndsWhole(nullptr, 0));
}
