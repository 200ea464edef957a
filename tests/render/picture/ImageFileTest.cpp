#include "platform/Error.h"
#include "render/picture/ImageFile.h"
#include "snapshot/BmpFile.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

// Left half opaque red, right half half-transparent blue; 8 x 6.
QImage HalfTransparent()
{
    QImage image(8, 6, QImage::Format_ARGB32);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            image.setPixel(x, y, x < 4 ? qRgba(200, 10, 20, 255) : qRgba(30, 60, 250 - y, 100));
    return image;
}

// Writes the image as the shooter hands a picture on: strips of `strip` rows
// from the top.
void Write(const QImage& image, const std::string& path, TImageFormat format, int strip = 4)
{
    const QImage words = image.convertToFormat(QImage::Format_ARGB32);
    WriteImageFile(path, format, image.width(), image.height(), image.hasAlphaChannel(), [&](TPictureRows& rows) {
        for (int y = 0; y < words.height(); y += strip)
            rows.Put(y, std::min(strip, words.height() - y), reinterpret_cast<const uint32_t*>(words.constScanLine(y)));
    });
}

class ImageFile : public testing::Test {
protected:
    std::string Path(const char* name) const { return Folder.filePath(name).toStdString(); }
    int Entries() const { return int(QDir(Folder.path()).entryList(QDir::Files | QDir::Hidden).size()); }
    QTemporaryDir Folder;
};

} // namespace

TEST_F(ImageFile, PngKeepsStraightAlphaExactlyAndOpaqueIsRgb)
{
    const QImage image = HalfTransparent();
    Write(image, Path("a.png"), TImageFormat::Png);
    const QImage back(QString::fromStdString(Path("a.png")));
    ASSERT_TRUE(back.hasAlphaChannel());
    EXPECT_EQ(back.convertToFormat(QImage::Format_ARGB32), image);

    const QImage opaque = image.convertToFormat(QImage::Format_RGB32);
    Write(opaque, Path("b.png"), TImageFormat::Png, 5);
    const QImage rgb(QString::fromStdString(Path("b.png")));
    EXPECT_FALSE(rgb.hasAlphaChannel());
    EXPECT_EQ(rgb.convertToFormat(QImage::Format_RGB32), opaque);
}

TEST_F(ImageFile, BmpIsTheSnapshots24BitFormatWhateverTheStrips)
{
    for (const int strip : {1, 4, 6}) {
        Write(HalfTransparent(), Path("a.bmp"), TImageFormat::Bmp, strip);
        const TBitmap24 back = LoadBitmapFromFile(Path("a.bmp"));
        ASSERT_EQ(back.Width(), 8);
        ASSERT_EQ(back.Height(), 6);
        // Blue, green, red; the alpha is dropped; the top row on top.
        EXPECT_EQ(back.Row(0)[0], 20);
        EXPECT_EQ(back.Row(0)[1], 10);
        EXPECT_EQ(back.Row(0)[2], 200);
        for (int y = 0; y < 6; ++y)
            EXPECT_EQ(back.Row(y)[4 * 3], 250 - y) << strip;
        QFile file(QString::fromStdString(Path("a.bmp")));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.size(), 54 + 6 * 24);
    }
}

TEST_F(ImageFile, JpegAtHighQuality)
{
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(qRgb(40, 120, 220));
    Write(image, Path("a.jpg"), TImageFormat::Jpeg, 10);
    const QImage back(QString::fromStdString(Path("a.jpg")), "jpeg");
    ASSERT_EQ(back.size(), QSize(64, 64));
    const QRgb c = back.pixel(32, 32);
    EXPECT_NEAR(qRed(c), 40, 3);
    EXPECT_NEAR(qGreen(c), 120, 3);
    EXPECT_NEAR(qBlue(c), 220, 3);
}

TEST_F(ImageFile, UnwritableFileIsNamedWithTheReason)
{
    for (TImageFormat format : {TImageFormat::Png, TImageFormat::Bmp, TImageFormat::Jpeg}) {
        const std::string path = Path("no/such/folder/a.png");
        try {
            Write(HalfTransparent(), path, format);
            FAIL();
        } catch (const TError& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot create file " + path + ": No such file or directory");
        }
    }
}

TEST_F(ImageFile, AFailedWriteOrDrawingKeepsThePreviousFileAndLeavesNothing)
{
    QImage big(600, 600, QImage::Format_RGB32);
    uint32_t noise = 1;  // hard to compress
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 600; ++x)
            big.setPixel(x, y, (noise = noise * 1664525u + 1013904223u) >> 8);
    Write(HalfTransparent(), Path("a.png"), TImageFormat::Png);
    const QImage before(QString::fromStdString(Path("a.png")));
    // A disk that fills up: files may grow to 64 KiB only.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 64 * 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    for (TImageFormat format : {TImageFormat::Png, TImageFormat::Bmp, TImageFormat::Jpeg}) {
        try {
            Write(big, Path("a.png"), format);
            ADD_FAILURE() << int(format);
        } catch (const TError& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot create file " + Path("a.png") + ": File too large");
        }
    }
    setrlimit(RLIMIT_FSIZE, &old);
    // A drawing that fails half-way.
    EXPECT_THROW(WriteImageFile(Path("a.png"), TImageFormat::Png, 8, 6, false,
                                [](TPictureRows& rows) {
                                    const uint32_t row[8] = {};
                                    rows.Put(0, 1, row);
                                    throw TError("the box covers no area");
                                }),
                 TError);
    EXPECT_EQ(QImage(QString::fromStdString(Path("a.png"))), before);
    EXPECT_EQ(Entries(), 1);
}

TEST_F(ImageFile, SizesThatAFormatCannotHoldAreNamed)
{
    EXPECT_EQ(ImageSizeProblem(TImageFormat::Png, 65535, 65535), "");
    EXPECT_EQ(ImageSizeProblem(TImageFormat::Jpeg, 65500, 65500), "");
    EXPECT_EQ(ImageSizeProblem(TImageFormat::Jpeg, 65501, 10), "a JPEG picture is at most 65500 pixels a side");
    EXPECT_EQ(ImageSizeProblem(TImageFormat::Bmp, 30000, 20000), "");
    EXPECT_EQ(ImageSizeProblem(TImageFormat::Bmp, 40000, 40000),
              "a BMP picture holds at most 4 GiB, and 40000 x 40000 pixels take more: write a .png");
}
