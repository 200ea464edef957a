#include "platform/AtomicFile.h"

#include "tests/support/Unprivileged.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string ReadAll(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    file.open(QIODevice::ReadOnly);
    return file.readAll().toStdString();
}

int EntryCount(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::System | QDir::Hidden).size();
}

struct stat LinkInfo(const std::string& path)
{
    struct stat info {};
    lstat(path.c_str(), &info);
    return info;
}

std::string WriteError(const std::string& path, std::string_view data)
{
    return ErrorOf([&] { WriteFileAtomically(path, data); });
}

class AtomicFile : public testing::Test {
protected:
    std::string Path(const char* name) const { return Dir.filePath(name).toStdString(); }
    QTemporaryDir Dir;
};

} // namespace

TEST_F(AtomicFile, CreatesAndReplacesWithoutLeavingTemporaries)
{
    WriteFileAtomically(Path("a.cov"), "first");
    EXPECT_EQ(ReadAll(Path("a.cov")), "first");
    WriteFileAtomically(Path("a.cov"), "second, longer");
    EXPECT_EQ(ReadAll(Path("a.cov")), "second, longer");
    // A name as long as the system allows still finds room for its temporary file.
    const std::string longName = Dir.filePath(QString(NAME_MAX, QChar('n'))).toStdString();
    WriteFileAtomically(longName, "long");
    EXPECT_EQ(ReadAll(longName), "long");
    EXPECT_EQ(EntryCount(Dir.path()), 2);
}

TEST_F(AtomicFile, ANewFileTakesTheUmaskAReplacedOneKeepsItsModeAndOwner)
{
    const mode_t saved = umask(027);
    WriteFileAtomically(Path("new.bmp"), "x");
    EXPECT_EQ(LinkInfo(Path("new.bmp")).st_mode & 07777, 0640u);
    chmod(Path("new.bmp").c_str(), 0604);
    WriteFileAtomically(Path("new.bmp"), "y");
    umask(saved);
    EXPECT_EQ(LinkInfo(Path("new.bmp")).st_mode & 07777, 0604u);
    EXPECT_EQ(ReadAll(Path("new.bmp")), "y");

    // Root replacing another user's file hands the new file back to that user.
    if (geteuid() == 0) {
        ASSERT_EQ(chown(Path("new.bmp").c_str(), 65534, 65534), 0);
        WriteFileAtomically(Path("new.bmp"), "z");
        EXPECT_EQ(LinkInfo(Path("new.bmp")).st_uid, 65534u);
        EXPECT_EQ(LinkInfo(Path("new.bmp")).st_gid, 65534u);
        EXPECT_EQ(LinkInfo(Path("new.bmp")).st_mode & 07777, 0604u);
    }
}

TEST_F(AtomicFile, ALinkIsFollowedAndItsTargetReplacedInItsOwnFolder)
{
    ASSERT_TRUE(QDir(Dir.path()).mkdir("art"));
    WriteFileAtomically(Path("art/box.png"), "old");
    chmod(Path("art/box.png").c_str(), 0640);
    // A chain: an absolute link to a relative one, read from the link's own folder.
    ASSERT_EQ(symlink("box.png", Path("art/latest.png").c_str()), 0);
    ASSERT_EQ(symlink(Path("art/latest.png").c_str(), Path("shot.png").c_str()), 0);
    WriteFileAtomically(Path("shot.png"), "picture");
    EXPECT_EQ(ReadAll(Path("art/box.png")), "picture");
    EXPECT_TRUE(S_ISLNK(LinkInfo(Path("shot.png")).st_mode));
    EXPECT_TRUE(S_ISLNK(LinkInfo(Path("art/latest.png")).st_mode));
    EXPECT_EQ(LinkInfo(Path("art/box.png")).st_mode & 07777, 0640u);
    EXPECT_EQ(EntryCount(Dir.filePath("art")), 2);

    // A link to a file that does not exist yet creates that file.
    ASSERT_EQ(symlink("art/later.png", Path("later.png").c_str()), 0);
    WriteFileAtomically(Path("later.png"), "made");
    EXPECT_EQ(ReadAll(Path("art/later.png")), "made");

    ASSERT_EQ(symlink("loop.png", Path("loop.png").c_str()), 0);
    EXPECT_EQ(WriteError(Path("loop.png"), "x"),
              "Cannot create file " + Path("loop.png") + ": Too many levels of symbolic links");
}

TEST_F(AtomicFile, WhatTheUserMayNotWriteIsRefusedAndKeptAsItWas)
{
    WriteReadOnlyFile(Path("ro.cov"), "keep me");
    ASSERT_EQ(symlink("ro.cov", Path("link.cov").c_str()), 0);
    HandToUnprivilegedUser(Dir.path().toStdString());
    EXPECT_EQ(RunUnprivileged([&] { return WriteError(Path("ro.cov"), "new"); }),
              "Cannot create file " + Path("ro.cov") + ": Permission denied");
    EXPECT_EQ(RunUnprivileged([&] { return WriteError(Path("link.cov"), "new"); }),
              "Cannot create file " + Path("link.cov") + ": Permission denied");
    EXPECT_EQ(ReadAll(Path("ro.cov")), "keep me");
    EXPECT_EQ(LinkInfo(Path("ro.cov")).st_mode & 07777, 0444u);
    EXPECT_TRUE(S_ISLNK(LinkInfo(Path("link.cov")).st_mode));

    // A folder the user may not write keeps its old file, and no temporary one.
    WriteFileAtomically(Path("rw.cov"), "old");
    chmod(Path("rw.cov").c_str(), 0666);
    chmod(Dir.path().toUtf8().constData(), 0555);
    EXPECT_EQ(RunUnprivileged([&] { return WriteError(Path("rw.cov"), "new"); }),
              "Cannot create file " + Path("rw.cov") + ": Permission denied");
    chmod(Dir.path().toUtf8().constData(), 0755);
    EXPECT_EQ(ReadAll(Path("rw.cov")), "old");
    EXPECT_EQ(EntryCount(Dir.path()), 3);
}

TEST_F(AtomicFile, OnlyARegularFileInAnExistingFolderIsReplaced)
{
    ASSERT_TRUE(QDir(Dir.path()).mkdir("folder"));
    ASSERT_EQ(mkfifo(Path("pipe").c_str(), 0666), 0);
    EXPECT_EQ(WriteError(Path("folder"), "x"), "Cannot create file " + Path("folder") + ": Is a directory");
    EXPECT_EQ(WriteError(Path("pipe"), "x"), "Cannot create file " + Path("pipe") + ": not a regular file");
    EXPECT_EQ(WriteError("/nonexistent-folder/x.bmp", "x"),
              "Cannot create file /nonexistent-folder/x.bmp: No such file or directory");
    EXPECT_TRUE(S_ISFIFO(LinkInfo(Path("pipe")).st_mode));
}

TEST_F(AtomicFile, AWriterThatFailsOrRaisesLeavesTheOldFileAndNoTemporary)
{
    const std::string path = Path("a.png");
    WriteFileAtomically(path, "old");
    // Written piece by piece.
    WriteFileAtomically(path, [](int fd) { return write(fd, "ne", 2) == 2 && write(fd, "w", 1) == 1 ? 0 : errno; });
    EXPECT_EQ(ReadAll(path), "new");
    EXPECT_EQ(ErrorOf([&] {
                  WriteFileAtomically(path, [](int fd) { return write(fd, "x", 1) == 1 ? ENOSPC : errno; });
              }),
              "Cannot create file " + path + ": " + std::strerror(ENOSPC));
    EXPECT_THROW(WriteFileAtomically(path,
                                     [](int fd) -> int {
                                         if (write(fd, "y", 1) != 1)
                                             return errno;
                                         throw std::runtime_error("drawing failed");
                                     }),
                 std::runtime_error);
    EXPECT_EQ(ReadAll(path), "new");
    EXPECT_EQ(EntryCount(Dir.path()), 1);
}

TEST_F(AtomicFile, AFileHasNoNameUntilItIsCompleteSoAKillLeavesNothing)
{
    const int probe = open(Dir.path().toUtf8().constData(), O_TMPFILE | O_WRONLY, 0600);
    if (probe < 0)
        GTEST_SKIP() << "this file system makes no nameless files: " << std::strerror(errno);
    close(probe);
    const std::string path = Path("shot.png");
    for (const char* old : {"", "old"}) {
        WriteFileAtomically(path, [&](int fd) {
            EXPECT_EQ(EntryCount(Dir.path()), *old ? 1 : 0);
            return write(fd, "new", 3) == 3 ? 0 : errno;
        });
        EXPECT_EQ(ReadAll(path), "new");
        WriteFileAtomically(path, "old");
    }
    // A process killed halfway through writing leaves the old file as it was.
    const pid_t child = fork();
    if (child == 0) {
        WriteFileAtomically(path, [](int fd) {
            [[maybe_unused]] const ssize_t half = write(fd, "half", 4);
            raise(SIGKILL);
            return 0;
        });
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(EntryCount(Dir.path()), 1);
    EXPECT_EQ(ReadAll(path), "old");
}
