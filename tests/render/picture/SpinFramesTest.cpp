#include "platform/Error.h"
#include "render/picture/ImageFile.h"
#include "render/picture/SpinFrames.h"
#include "tests/support/WebPFrames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Frame f of a 12 x 10 spin: a red band that moves right a pixel a frame,
// over a ground that is opaque blue, or else half-transparent green.
QImage Frame(int f, bool transparent)
{
    QImage image(12, 10, QImage::Format_ARGB32);
    image.fill(transparent ? qRgba(20, 200, 40, 90) : qRgba(30, 60, 220, 255));
    for (int y = 0; y < 10; ++y)
        image.setPixel(f % 12, y, qRgba(230, 20, 10, 255));
    return image;
}

void PutRows(const QImage& image, TPictureRows& rows)
{
    for (int y = 0; y < image.height(); y += 3)
        rows.Put(y, std::min(3, image.height() - y), reinterpret_cast<const uint32_t*>(image.constScanLine(y)));
}

// The mean difference of the channels of the two pictures: 0 when they are the same.
double Difference(const QImage& a, const QImage& b)
{
    double sum = 0.0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (const int shift : {0, 8, 16, 24})
                sum += std::abs(int(p >> shift & 0xFF) - int(q >> shift & 0xFF));
        }
    return sum / (4.0 * a.width() * a.height());
}

} // namespace

TEST(SpinFrames, FramesDrawnApartMakeOneLoopingWebPInOrder)
{
    struct TCase {
        int Frames;
        int Quality;
        double Fps;
        bool Transparent;
        double MostDifference;  // Difference: lossless is exact
    };
    const TCase cases[] = {
        {6, NoQuality, 25.0, false, 0},
        {5, NoQuality, 12.0, true, 0},
        {4, 90, 30.0, false, 16.0},
        {1, NoQuality, 25.0, true, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Frames << " frames at quality " << c.Quality);
        QTemporaryDir folder;
        std::vector<std::string> frames;
        // Drawn last to first, as workers may finish them.
        for (int f = c.Frames - 1; f >= 0; --f) {
            frames.insert(frames.begin(), folder.filePath(QString("%1.frame").arg(f)).toStdString());
            WriteFrameFile(frames.front(), 12, [&](TPictureRows& rows) { PutRows(Frame(f, c.Transparent), rows); });
        }
        const std::string spin = folder.filePath("spin.webp").toStdString();
        WriteSpinFile(spin, frames, 12, 10, c.Quality, c.Fps);
        const TWebPFrames back = ReadWebPFile(QString::fromStdString(spin));
        ASSERT_TRUE(back.Read);
        EXPECT_EQ(back.Width, 12);
        EXPECT_EQ(back.Height, 10);
        EXPECT_EQ(back.Loops, c.Frames > 1 ? 0 : 1);  // one frame is a still picture, played once
        ASSERT_EQ(back.Frames.size(), size_t(c.Frames));
        for (int f = 0; f < c.Frames; ++f) {
            EXPECT_LE(Difference(back.Frames[size_t(f)], Frame(f, c.Transparent)), c.MostDifference) << "frame " << f;
            if (c.Frames > 1) {
                EXPECT_EQ(back.Timestamps[size_t(f)], FrameTimestamp(f + 1, c.Fps)) << "frame " << f;
            }
        }
    }
}

TEST(SpinFrames, TimestampsKeepTimeOverLongSpins)
{
    EXPECT_EQ(FrameTimestamp(0, 25.0), 0);
    EXPECT_EQ(FrameTimestamp(3, 30.0), 100);
    EXPECT_EQ(FrameTimestamp(1, 30.0), 33);
    EXPECT_EQ(FrameTimestamp(2, 30.0), 67);
    EXPECT_EQ(FrameTimestamp(3000, 30.0), 100000);
}

TEST(SpinFrames, AFrameOfAnotherSizeOrMissingIsRefused)
{
    QTemporaryDir folder;
    const std::string frame = folder.filePath("0.frame").toStdString();
    WriteFrameFile(frame, 12, [&](TPictureRows& rows) { PutRows(Frame(0, false), rows); });
    const std::string spin = folder.filePath("spin.webp").toStdString();
    for (const auto& [width, height, file] : {std::tuple(12, 9, frame), std::tuple(12, 11, frame),
                                              std::tuple(12, 10, folder.filePath("none").toStdString())}) {
        EXPECT_THROW(WriteSpinFile(spin, {frame, file}, width, height, NoQuality, 25.0), TInOutError);
        EXPECT_FALSE(QFile::exists(QString::fromStdString(spin)));
    }
}

TEST(SpinFrames, AStillWebPIsOneFrameAndLossyOnAsking)
{
    QTemporaryDir folder;
    const QImage still = Frame(3, true);
    for (const int quality : {NoQuality, 20}) {
        const std::string file = folder.filePath(QString("still%1.webp").arg(quality)).toStdString();
        WriteImageFile(file, TImageFormat::WebP, 12, 10, true, [&](TPictureRows& rows) { PutRows(still, rows); },
                       quality);
        const TWebPFrames back = ReadWebPFile(QString::fromStdString(file));
        ASSERT_EQ(back.Frames.size(), 1u);
        EXPECT_LE(Difference(back.Frames[0], still), quality == NoQuality ? 0.0 : 20.0);
    }
    EXPECT_EQ(ImageSizeProblem(TImageFormat::WebP, 16383, 16383), "");
    EXPECT_EQ(ImageSizeProblem(TImageFormat::WebP, 16384, 10), "a WebP picture is at most 16383 pixels a side");
}
