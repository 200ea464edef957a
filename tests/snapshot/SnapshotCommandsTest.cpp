#include "platform/Error.h"
#include "snapshot/BmpFile.h"
#include "snapshot/SnapshotCommands.h"
#include "tests/snapshot/BitmapTestHelpers.h"
#include "tests/support/Unprivileged.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(SnapshotFile, IsCaptureRenderInTheHomeFolder)
{
    QTemporaryDir home;
    const QByteArray saved = qgetenv("HOME");
    qputenv("HOME", home.path().toUtf8());
    const std::string path = SnapshotFilePath();
    qputenv("HOME", saved);
    EXPECT_EQ(path, home.path().toStdString() + "/CaptureRender.bmp");
}

TEST(ExportSnapshot, WritesNothingBeforeTheFirstSnapshot)
{
    QTemporaryDir dir;
    const TBitmapPicture preview;
    ExportSnapshot(preview, dir.filePath("x.bmp").toStdString());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST(ExportSnapshot, WritesBitmapDataWhateverTheExtensionAndReplacesAnOldFile)
{
    QTemporaryDir dir;
    TBitmapPicture preview;
    preview.Assign(PatternBitmap(7, 3));
    const QString png = dir.filePath("x.png");
    QFile old(png);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'p'));
    old.close();
    ExportSnapshot(preview, png.toStdString());
    ExportSnapshot(preview, png.toStdString());
    QFile file(png);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), EncodeBmp(*preview.Bitmap()));
}

TEST(ExportSnapshot, AnUnwritableTargetRaisesAndKeepsThePreview)
{
    QTemporaryDir dir;
    TBitmapPicture preview;
    preview.Assign(PatternBitmap(4, 4));
    const TBitmap24 before = *preview.Bitmap();
    const std::string file = dir.filePath("file").toStdString();
    ExportSnapshot(preview, file);
    EXPECT_THROW(ExportSnapshot(preview, file + "/x.bmp"), TError);
    EXPECT_EQ(*preview.Bitmap(), before);
}

TEST(CreateCoverSnapshot, AReadOnlySnapshotFileStopsAtTheCaptureLikeAnUnwritableHome)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("CaptureRender.bmp").toStdString();
    WriteReadOnlyFile(path, "an older picture");
    TBitmapPicture preview;
    preview.Assign(PatternBitmap(30, 20));
    const TBitmap24 before = *preview.Bitmap();
    HandToUnprivilegedUser(dir.path().toStdString());
    const std::string outcome = RunUnprivileged([&] {
        QStringList statuses;
        const std::string error = ErrorOf([&] {
            CreateCoverSnapshot(
                preview, QSize(323, 248), QSize(1150, 880), [&](const QString& text) { statuses << text; }, path,
                [](int, int, uint8_t*) {});
        });
        return statuses.join("|").toStdString() + "\n" + error + (*preview.Bitmap() == before ? "\nkept" : "");
    });
    EXPECT_EQ(outcome, "Creating Bitmap\nCannot create file " + path + ": Permission denied\nkept");
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "an older picture");
}

TEST(ExportSnapshot, AReadOnlyFileIsRefusedAndKept)
{
    QTemporaryDir dir;
    TBitmapPicture preview;
    preview.Assign(PatternBitmap(4, 4));
    const std::string readOnly = dir.filePath("read-only.bmp").toStdString();
    WriteReadOnlyFile(readOnly, "mine");
    HandToUnprivilegedUser(dir.path().toStdString());
    EXPECT_EQ(RunUnprivileged([&] { return ErrorOf([&] { ExportSnapshot(preview, readOnly); }); }),
              "Cannot create file " + readOnly + ": Permission denied");
    QFile file(QString::fromStdString(readOnly));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "mine");
}
