// The box's texture and the face preview read the same JPEG files alike:
// print artwork in CMYK or YCCK shows the colours djpeg shows, large photos
// are read by both, and a picture past the size bound is refused by both
// with the same message.
#include "cover/TextureImage.h"
#include "platform/Error.h"
#include "platform/pictures/Picture.h"
#include "tests/cover/ImageFileBuilders.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// Each ink (cyan, magenta, yellow, black as stored, Adobe's inverted way)
// fills one 8 x 8 block of a 40 x 8 picture.
constexpr int kInkCount = 5;
const uint8_t kInks[kInkCount][4] = {
    {255, 255, 255, 255}, {0, 0, 0, 0}, {200, 100, 50, 180}, {10, 240, 128, 90}, {255, 128, 0, 255}};

TBytes InkPixels()
{
    TBytes pixels;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8 * kInkCount; ++x)
            pixels.insert(pixels.end(), kInks[x / 8], kInks[x / 8] + 4);
    return pixels;
}

// The colour of each block as djpeg decodes the file (top-down RGB, read at the
// block's centre); without djpeg, the light the inks leave, c x k / 255.
std::vector<std::array<int, 3>> ExpectedColours(const std::string& path)
{
    std::vector<std::array<int, 3>> colours;
    if (FILE* djpeg = popen(("djpeg -ppm '" + path + "' 2>/dev/null").c_str(), "r")) {
        int width = 0, height = 0, maximum = 0;
        TBytes rgb(size_t(8 * kInkCount) * 8 * 3);
        const bool read = std::fscanf(djpeg, "P6 %d %d %d", &width, &height, &maximum) == 3 &&
                          std::fgetc(djpeg) != EOF && std::fread(rgb.data(), 1, rgb.size(), djpeg) == rgb.size();
        if (pclose(djpeg) == 0 && read && width == 8 * kInkCount && height == 8) {
            for (int i = 0; i < kInkCount; ++i) {
                const uint8_t* p = rgb.data() + size_t(4 * 8 * kInkCount + 8 * i + 4) * 3;
                colours.push_back({p[0], p[1], p[2]});
            }
            return colours;
        }
    }
    for (const auto& ink : kInks)
        colours.push_back({ink[0] * ink[3] / 255, ink[1] * ink[3] / 255, ink[2] * ink[3] / 255});
    return colours;
}

QImage Drawn(const TPicture& picture)
{
    QImage image(picture.Width(), picture.Height(), QImage::Format_RGB32);
    QPainter painter(&image);
    picture.StretchDraw(painter, QRectF(0, 0, picture.Width(), picture.Height()));
    return image;
}

std::string Error(const std::function<void()>& load)
{
    try {
        load();
    } catch (const TError& e) {
        return e.what();
    }
    return "(no error)";
}

}  // namespace

TEST(JpegReaders, PrintArtworkInCmykOrYcckShowsTheColoursDjpegShows)
{
    TTempFolder folder;
    for (TJpegColours colours : {TJpegColours::Cmyk, TJpegColours::Ycck}) {
        const std::string path = folder.Write("print artwork.jpg", JpegFile(8 * kInkCount, 8, colours, InkPixels()));
        const std::vector<std::array<int, 3>> expected = ExpectedColours(path);
        TTextureImage texture;
        ASSERT_TRUE(texture.LoadImage(path));
        TPicture preview;
        preview.LoadFromFile(path);
        const QImage shown = Drawn(preview);
        for (int i = 0; i < kInkCount; ++i) {
            const int x = 8 * i + 4;
            const uint8_t* texel = texture.ImageData.get() + size_t(3 * texture.Width + x) * 4;  // row 4 from the top
            const QRgb pixel = shown.pixel(x, 4);
            for (int c = 0; c < 3; ++c) {
                EXPECT_NEAR(texel[c], expected[size_t(i)][size_t(c)], 3) << "texture, ink " << i << ", channel " << c;
                EXPECT_NEAR(c == 0 ? qRed(pixel) : c == 1 ? qGreen(pixel) : qBlue(pixel), expected[size_t(i)][size_t(c)], 3)
                    << "preview, ink " << i << ", channel " << c;
            }
            EXPECT_EQ(texel[3], 255);
        }
    }
}

TEST(JpegReaders, AnOrdinaryLargePhotoIsReadByBoth)
{
    TTempFolder folder;
    const uint8_t sand[3] = {210, 180, 120};
    const std::string path = folder.Write("photo.jpg", FlatJpeg(8000, 5000, sand));
    TPicture preview;
    preview.LoadFromFile(path);
    EXPECT_EQ(preview.Width(), 8000);
    EXPECT_EQ(preview.Height(), 5000);
    TTextureImage texture;
    ASSERT_TRUE(texture.LoadImage(path));
    EXPECT_EQ(texture.Width, 8000);
    EXPECT_NEAR(texture.ImageData[size_t(8000) * 4999 * 4 + 1], 180, 3);
}

TEST(JpegReaders, BothRefuseAPicturePastTheBoundWithTheSameMessage)
{
    const uint8_t grey[3] = {128, 128, 128};
    TBytes jpeg = FlatJpeg(16, 16, grey);
    for (size_t i = 0; i + 8 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            jpeg[i + 5] = 0x40, jpeg[i + 6] = 0x01;  // height 16385
            jpeg[i + 7] = 0x40, jpeg[i + 8] = 0x00;  // width 16384
            break;
        }
    const std::string message = "JPEG image is not valid (16384 x 16385 pixels is too large)";
    TPicture preview;
    EXPECT_EQ(Error([&] {
                  preview.LoadFromData(QByteArray(reinterpret_cast<const char*>(jpeg.data()), qsizetype(jpeg.size())),
                                       "jpg");
              }),
              message);
    EXPECT_TRUE(preview.Empty());
    TTextureImage texture;
    EXPECT_EQ(Error([&] { texture.LoadJpegFromMemory(jpeg.data(), jpeg.size()); }), message);
    EXPECT_EQ(texture.ImageData, nullptr);
}
