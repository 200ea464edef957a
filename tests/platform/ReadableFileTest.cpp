#include "platform/ReadableFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A file is read whole up to the limit and refused past it, and a file whose
// size the system does not tell is read all the same. A limit far beyond any
// memory (a terabyte) costs no more than the file: the read takes what the
// file holds, never the limit.
TEST(ReadableFile, ReadsAFileWholeWithinItsLimitTakingOnlyWhatItHolds)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("ten").toStdString();
    QFile out(QString::fromStdString(path));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("0123456789");
    out.close();
    QFile proc("/proc/self/cmdline");
    ASSERT_TRUE(proc.open(QIODevice::ReadOnly));
    const QByteArray cmdline = proc.readAll();
    struct TCase {
        std::string Path;
        qint64 Limit;
        std::optional<QByteArray> Expected;
    };
    const TCase cases[] = {
        {path, 10, QByteArray("0123456789")},
        {path, 9, std::nullopt},
        {path, qint64(1) << 40, QByteArray("0123456789")},
        {"/proc/self/cmdline", qint64(1) << 40, cmdline},  // of size 0, yet not empty
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Path + " within " + std::to_string(c.Limit));
        QFile file;
        ASSERT_EQ(OpenForReading(file, c.Path), 0);
        EXPECT_EQ(ReadAtMost(file, c.Limit), c.Expected);
    }
}
