#include "platform/Error.h"
#include "render/ImageFile.h"
#include "snapshot/BmpFile.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Left half opaque red, right half transparent.
QImage HalfTransparent()
{
    QImage image(8, 4, QImage::Format_ARGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            image.setPixel(x, y, x < 4 ? qRgba(200, 10, 20, 255) : qRgba(0, 0, 0, 0));
    return image;
}

class ImageFile : public testing::Test {
protected:
    std::string Path(const char* name) const { return Folder.filePath(name).toStdString(); }
    QTemporaryDir Folder;
};

} // namespace

TEST_F(ImageFile, BmpIsTheSnapshots24BitFormat)
{
    WriteImageFile(HalfTransparent(), Path("a.bmp"), TImageFormat::Bmp);
    const TBitmap24 back = LoadBitmapFromFile(Path("a.bmp"));
    ASSERT_EQ(back.Width(), 8);
    ASSERT_EQ(back.Height(), 4);
    // Blue, green, red; the alpha is dropped.
    EXPECT_EQ(back.Row(0)[0], 20);
    EXPECT_EQ(back.Row(0)[1], 10);
    EXPECT_EQ(back.Row(0)[2], 200);
    QFile file(QString::fromStdString(Path("a.bmp")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.size(), 54 + 4 * 24);
}

TEST_F(ImageFile, JpegAtHighQuality)
{
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(qRgb(40, 120, 220));
    WriteImageFile(image, Path("a.jpg"), TImageFormat::Jpeg);
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
            WriteImageFile(HalfTransparent(), path, format);
            FAIL();
        } catch (const TError& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot create file " + path + ": No such file or directory");
        }
    }
}
