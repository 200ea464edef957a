#include "platform/Error.h"
#include "snapshot/BmpFile.h"
#include "snapshot/SnapshotCommands.h"
#include "tests/snapshot/BitmapTestHelpers.h"

#include <QDir>
#include <QFile>
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
