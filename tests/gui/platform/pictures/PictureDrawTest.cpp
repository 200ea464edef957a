#include "platform/pictures/Picture.h"

#include "cover/PictureStore.h"
#include "tests/support/TestGL.h"
#include "tests/platform/pictures/PictureTestFiles.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace picture_test;

namespace {

const QRgb kMarker = qRgb(12, 34, 56);
const QRgb kRed = qRgb(255, 0, 0), kGreen = qRgb(0, 255, 0), kBlue = qRgb(0, 0, 255), kYellow = qRgb(255, 255, 0);

QImage Canvas(int width, int height)
{
    return Solid(width, height, kMarker);
}

void Draw(const TPicture& picture, QImage& canvas, const QRectF& target)
{
    QPainter painter(&canvas);
    picture.StretchDraw(painter, target);
}

// Four solid quadrants: red, green on top; blue, yellow below.
QImage Quadrants(int width, int height)
{
    QImage image = Solid(width, height, kRed);
    QPainter painter(&image);
    painter.fillRect(width / 2, 0, width - width / 2, height / 2, kGreen);
    painter.fillRect(0, height / 2, width / 2, height - height / 2, kBlue);
    painter.fillRect(width / 2, height / 2, width - width / 2, height - height / 2, kYellow);
    return image;
}

int CountOf(const QImage& image, const QRect& area, QRgb colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

bool Near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) < 24 && std::abs(qGreen(a) - qGreen(b)) < 24 && std::abs(qBlue(a) - qBlue(b)) < 24;
}

} // namespace

TEST(PictureDraw, ASquarePictureFillsAPreviewOfAnotherShape)
{
    TPicture picture;
    picture.LoadFromData(Encode(Quadrants(674, 674), "bmp"), "bmp");
    QImage canvas = Canvas(177, 204);
    Draw(picture, canvas, QRectF(0, 0, 177, 204));
    EXPECT_EQ(CountOf(canvas, canvas.rect(), kMarker), 0);
    // Stretched, not letterboxed: each quadrant fills a quarter of the preview.
    EXPECT_EQ(canvas.pixel(10, 10), kRed);
    EXPECT_EQ(canvas.pixel(166, 10), kGreen);
    EXPECT_EQ(canvas.pixel(10, 193), kBlue);
    EXPECT_EQ(canvas.pixel(166, 193), kYellow);
}

TEST(PictureDraw, APartialPaintDrawsTheWholePictureShrunkIntoItsRectangle)
{
    TPicture picture;
    picture.LoadFromData(Encode(Quadrants(674, 674), "bmp"), "bmp");
    QImage canvas = Canvas(177, 204);
    const QRect clip(100, 120, 60, 40);
    Draw(picture, canvas, clip);
    EXPECT_EQ(canvas.pixel(105, 125), kRed);
    EXPECT_EQ(canvas.pixel(155, 125), kGreen);
    EXPECT_EQ(canvas.pixel(105, 155), kBlue);
    EXPECT_EQ(canvas.pixel(155, 155), kYellow);
    EXPECT_EQ(CountOf(canvas, clip, kMarker), 0);
    EXPECT_EQ(CountOf(canvas, canvas.rect(), kMarker), 177 * 204 - 60 * 40);
}

TEST(PictureDraw, PicturesDrawOpaqueAndAnEmptyOneDrawsNothing)
{
    QImage translucent(16, 16, QImage::Format_ARGB32);
    translucent.fill(Qt::transparent);
    QPainter(&translucent).fillRect(0, 0, 8, 16, kBlue);
    TPicture icon;
    icon.LoadFromData(Encode(translucent, "ico"), "ico");
    QImage canvas = Canvas(32, 32);
    Draw(icon, canvas, QRectF(0, 0, 32, 32));
    EXPECT_EQ(canvas.pixel(4, 16), kBlue);
    EXPECT_EQ(canvas.pixel(28, 16), qRgb(255, 255, 255));

    QImage untouched = Canvas(32, 32);
    Draw(TPicture(), untouched, QRectF(0, 0, 32, 32));
    EXPECT_EQ(untouched, Canvas(32, 32));
}

TEST(PictureDraw, MetafilesAreDrawnThroughTheirLibrariesInTheirColours)
{
    struct {
        const char* extension;
        QByteArray bytes;
    } files[] = {
        {"wmf", WmfWithRectangle(200, 100, QRect(0, 0, 100, 100), kRed)},
        {"emf", EmfWithRectangle(200, 100, QRect(0, 0, 100, 100), kRed)},
    };
    for (const auto& file : files) {
        TPicture picture;
        picture.LoadFromData(file.bytes, file.extension);
        QImage canvas = Canvas(200, 100);
        Draw(picture, canvas, QRectF(0, 0, 200, 100));
        // The red rectangle covers the left half; the rest of the metafile is white.
        EXPECT_TRUE(Near(canvas.pixel(50, 50), kRed)) << file.extension;
        EXPECT_TRUE(Near(canvas.pixel(5, 5), kRed)) << file.extension;
        EXPECT_TRUE(Near(canvas.pixel(150, 50), qRgb(255, 255, 255))) << file.extension;
        EXPECT_TRUE(Near(canvas.pixel(195, 95), qRgb(255, 255, 255))) << file.extension;
    }
}

TEST(PictureDraw, TheStoreDefaultsDrawOverTheirWholePreview)
{
    const TPictureStore store;
    const QSize previews[] = {{177, 204}, {49, 204}, {60, 204}, {78, 78}};
    for (int i = 0; i < store.Count(); ++i) {
        if (store.Item(i).Picture.Empty())
            GTEST_SKIP() << "the built-in preview pictures are not in this build yet";
        QImage canvas = Canvas(previews[i].width(), previews[i].height());
        Draw(store.Item(i).Picture, canvas, canvas.rect());
        EXPECT_EQ(CountOf(canvas, canvas.rect(), kMarker), 0) << store.Item(i).Name;
    }
}

TEST(PictureDraw, MetafileTextIsDrawnWithTheLibrarysFonts)
{
    TPicture picture;
    picture.LoadFromData(WmfWithText(200, 60, "Plenamar", 10, 10), "wmf");
    QImage canvas = Canvas(200, 60);
    Draw(picture, canvas, QRectF(0, 0, 200, 60));
    int dark = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 200; ++x)
            dark += qGray(canvas.pixel(x, y)) < 128;
    EXPECT_GT(dark, 20);
    EXPECT_EQ(CountOf(canvas, canvas.rect(), kMarker), 0);
}

TEST(PictureDraw, ABitmapInAMetafileLandsWhereTheMetafilePutsIt)
{
    // A 4 x 4 green bitmap stretched over (100, 40) to (130, 60) of a 160 x 60 metafile.
    const QByteArray dib = Encode(Solid(4, 4, kGreen), "bmp").mid(14);  // without the file header
    std::vector<uint16_t> params{0x0020, 0x00CC, 0, 4, 4, 0, 0, 20, 30, 40, 100};  // SRCCOPY, sizes, places
    for (int i = 0; i + 1 < dib.size(); i += 2)
        params.push_back(uint16_t(uint8_t(dib[i]) | uint8_t(dib[i + 1]) << 8));
    TWmfRecords records;
    records.Add(0x0F43, params);  // STRETCHDIB
    TPicture picture;
    picture.LoadFromData(PlaceableWmf(160, 60, 96, records), "wmf");
    QImage canvas = Canvas(160, 60);
    Draw(picture, canvas, QRectF(0, 0, 160, 60));
    EXPECT_TRUE(Near(canvas.pixel(115, 50), kGreen));
    EXPECT_TRUE(Near(canvas.pixel(102, 42), kGreen));
    EXPECT_TRUE(Near(canvas.pixel(95, 50), qRgb(255, 255, 255)));
    EXPECT_TRUE(Near(canvas.pixel(135, 50), qRgb(255, 255, 255)));
    EXPECT_TRUE(Near(canvas.pixel(115, 35), qRgb(255, 255, 255)));
}

TEST(PictureDraw, MetafilesLoadWhileTheViewsGLContextIsCurrent)
{
    // The metafile libraries run in a child process forked from the program
    // while it holds a current GL context and the driver's threads.
    const auto gl = MakeTestContext(64, 64);
    if (!gl)
        return;
    for (int i = 0; i < 3; ++i) {
        TPicture picture;
        picture.LoadFromData(EmfWithRectangle(20, 20, QRect(0, 0, 20, 20), kBlue), "emf");
        picture.LoadFromData(WmfWithRectangle(20, 20, QRect(0, 0, 20, 20), kBlue), "wmf");
        EXPECT_EQ(picture.Width(), 20);
    }
}
