#include "platform/ErrorReport.h"
#include "snapshot/Antialias.h"
#include "snapshot/BmpFile.h"
#include "snapshot/Capture.h"
#include "snapshot/SnapshotCommands.h"
#include "tests/gui/snapshot/KnownView.h"
#include "tests/snapshot/BitmapTestHelpers.h"
#include "tests/support/TestGL.h"
#include "ui/widgets/ImageControl.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SnapshotCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        Gl = MakeTestContext(1150, 880);
        if (!Gl)
            return;
        DrawKnownView(1150, 880);
        Preview.resize(323, 248);
        SavedReporter = SetErrorReporter([this](const QString& message) { Errors << message; });
    }
    void TearDown() override { SetErrorReporter(SavedReporter); }

    // The snapshot command as the toolbar runs it, errors reported.
    void RunCommand(QSize clientSize, const std::string& fileName)
    {
        RunGuarded([&] {
            CreateCoverSnapshot(Preview.Picture(), Preview.size(), clientSize,
                                [this](const QString& text) { Statuses << text; }, fileName);
        });
    }

    std::string ReadFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    }

    std::unique_ptr<TQtContext> Gl;
    TImageControl Preview;
    QTemporaryDir Dir;
    QStringList Statuses;
    QStringList Errors;
    TErrorReporter SavedReporter;
};

} // namespace

TEST_F(SnapshotCommand, CapturesShowsSmoothsAndWritesTheSmoothedPicture)
{
    const QString path = Dir.filePath("CaptureRender.bmp");
    RunCommand(QSize(1150, 880), path.toStdString());
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join("\n").toStdString();
    EXPECT_EQ(Statuses, QStringList({"Creating Bitmap", "Creating Bitmap ... Done", "Antialiasing Bitmap",
                                     "Antialiasing Bitmap ... Done", "BMP file has been successfully Created!"}));
    const TBitmap24* picture = Preview.Picture().Bitmap();
    ASSERT_NE(picture, nullptr);
    ASSERT_EQ(picture->Width(), 950);
    ASSERT_EQ(picture->Height(), 878);
    EXPECT_EQ(ReadFile(path), EncodeBmp(*picture));

    // The raw capture, smoothed over the preview's top-left 323 x 248 only.
    TBitmap24 raw(950, 878);
    ReadRows(raw, ReadFramebufferRow);
    TBitmap24 smoothed = raw;
    AntialiasBitmap(smoothed, 323, 248, 90);
    EXPECT_EQ(*picture, smoothed);
    int changedOutside = 0, changedInside = 0;
    for (int y = 0; y < 878; ++y)
        for (int x = 0; x < 950; ++x) {
            const bool differs = PixelAt(*picture, x, y) != PixelAt(raw, x, y);
            (x < 323 && y < 248 ? changedInside : changedOutside) += differs;
        }
    EXPECT_EQ(changedOutside, 0);
    EXPECT_GT(changedInside, 1000);
}

TEST_F(SnapshotCommand, ASmallWindowSmoothsTheWholeSmallerCapture)
{
    const QString path = Dir.filePath("CaptureRender.bmp");
    RunCommand(QSize(400, 200), path.toStdString());
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join("\n").toStdString();
    const TBitmap24* picture = Preview.Picture().Bitmap();
    ASSERT_NE(picture, nullptr);
    TBitmap24 expected(200, 198);
    ReadRows(expected, ReadFramebufferRow);
    AntialiasBitmap(expected, 200, 198, 90);
    EXPECT_EQ(*picture, expected);
}

TEST_F(SnapshotCommand, AnUnwritableHomeReportsTheErrorAndKeepsThePreview)
{
    Preview.Picture().Assign(PatternBitmap(30, 20));
    const TBitmap24 before = *Preview.Picture().Bitmap();
    // A regular file where the home folder should be: unwritable even for root.
    const QString home = Dir.filePath("home");
    QFile blocker(home);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("HOME", home.toUtf8());
    RunCommand(QSize(1150, 880), SnapshotFilePath());
    qputenv("HOME", savedHome);

    EXPECT_EQ(Statuses, QStringList({"Creating Bitmap"}));
    EXPECT_EQ(Errors, QStringList({"Cannot create file " + home + "/CaptureRender.bmp: Not a directory"}));
    EXPECT_EQ(*Preview.Picture().Bitmap(), before);
}

TEST_F(SnapshotCommand, AWindowNarrowerThanTheRightColumnsWritesAnEmptyBitmapAndReports)
{
    Preview.Picture().Assign(PatternBitmap(30, 20));
    const TBitmap24 before = *Preview.Picture().Bitmap();
    const QString path = Dir.filePath("CaptureRender.bmp");
    RunCommand(QSize(150, 880), path.toStdString());
    EXPECT_EQ(Statuses, QStringList({"Creating Bitmap"}));
    EXPECT_EQ(Errors, QStringList({"Cannot make a bitmap of -50 x 878 pixels"}));
    EXPECT_EQ(ReadFile(path), EncodeBmp(TBitmap24()));
    EXPECT_EQ(*Preview.Picture().Bitmap(), before);
}

TEST_F(SnapshotCommand, ExportAfterASnapshotWritesTheSmoothedPictureAsBitmap)
{
    const QString png = Dir.filePath("x.png");
    RunGuarded([&] { ExportSnapshot(Preview.Picture(), png.toStdString()); });
    EXPECT_FALSE(QFile::exists(png));

    RunCommand(QSize(1150, 880), Dir.filePath("CaptureRender.bmp").toStdString());
    RunGuarded([&] { ExportSnapshot(Preview.Picture(), png.toStdString()); });
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join("\n").toStdString();
    EXPECT_EQ(ReadFile(png), ReadFile(Dir.filePath("CaptureRender.bmp")));
    EXPECT_EQ(ReadFile(png).substr(0, 2), "BM");
}
