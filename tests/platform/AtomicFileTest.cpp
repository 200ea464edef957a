#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ReadAll(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll().toStdString();
}

int EntryCount(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::System | QDir::Hidden).size();
}

} // namespace

TEST(AtomicFile, CreatesAndReplacesWithoutLeavingTemporaries)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.cov");
    ASSERT_TRUE(WriteFileAtomically(path.toStdString(), "first"));
    EXPECT_EQ(ReadAll(path), "first");
    ASSERT_TRUE(WriteFileAtomically(path.toStdString(), "second, longer"));
    EXPECT_EQ(ReadAll(path), "second, longer");
    EXPECT_EQ(EntryCount(dir.path()), 1);
}

TEST(AtomicFile, ReplacesAPlantedLinkInsteadOfFollowingIt)
{
    QTemporaryDir dir;
    const QString victim = dir.filePath("victim");
    ASSERT_TRUE(WriteFileAtomically(victim.toStdString(), "keep me"));
    const QString link = dir.filePath("CaptureRender.bmp");
    ASSERT_EQ(symlink(victim.toUtf8().constData(), link.toUtf8().constData()), 0);
    ASSERT_TRUE(WriteFileAtomically(link.toStdString(), "picture"));
    EXPECT_EQ(ReadAll(victim), "keep me");
    struct stat info {};
    ASSERT_EQ(lstat(link.toUtf8().constData(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_EQ(ReadAll(link), "picture");
}

TEST(AtomicFile, FailureInAnUnwritableFolderKeepsTheOldFileAndSaysWhy)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    QTemporaryDir dir;
    const QString path = dir.filePath("a.cov");
    ASSERT_TRUE(WriteFileAtomically(path.toStdString(), "old"));
    chmod(dir.path().toUtf8().constData(), 0555);
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(path.toStdString(), "new", &error));
    chmod(dir.path().toUtf8().constData(), 0755);
    EXPECT_EQ(ReadAll(path), "old");
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(EntryCount(dir.path()), 1);
}

TEST(AtomicFile, MissingFolderFails)
{
    std::string error;
    EXPECT_FALSE(WriteFileAtomically("/nonexistent-folder/x.bmp", "x", &error));
    EXPECT_FALSE(error.empty());
}

TEST(AtomicFile, AWriterThatFailsOrRaisesLeavesTheOldFileAndNoTemporary)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.png");
    ASSERT_TRUE(WriteFileAtomically(path.toStdString(), "old"));
    // Written piece by piece.
    ASSERT_TRUE(WriteFileAtomically(path.toStdString(), [](int fd) {
        return write(fd, "ne", 2) == 2 && write(fd, "w", 1) == 1 ? 0 : errno;
    }));
    EXPECT_EQ(ReadAll(path), "new");
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(
        path.toStdString(), [](int fd) { return write(fd, "x", 1) == 1 ? ENOSPC : errno; }, &error));
    EXPECT_EQ(error, std::strerror(ENOSPC));
    EXPECT_THROW(WriteFileAtomically(path.toStdString(),
                                     [](int fd) -> int {
                                         if (write(fd, "y", 1) != 1)
                                             return errno;
                                         throw std::runtime_error("drawing failed");
                                     }),
                 std::runtime_error);
    EXPECT_EQ(ReadAll(path), "new");
    EXPECT_EQ(EntryCount(dir.path()), 1);
}
