#include "platform/AtomicFile.h"

#include "platform/Error.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <optional>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr const char* CannotCreate = "Cannot create file";
// As many links as the system itself follows in one path.
constexpr int MaxLinkHops = 40;
// Room for the temporary file's suffix within the system's limit on a name.
constexpr size_t MaxTemporaryStem = NAME_MAX - 8;

// What a replaced file keeps.
struct TExisting {
    mode_t Permissions = 0;
    uid_t Owner = 0;
    gid_t Group = 0;
};

size_t NameStart(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

// The file a write to path lands in: path itself, or the last of the symbolic
// links that start there, a relative link read from its own folder.
std::string FinalTarget(const std::string& path)
{
    std::string target = path;
    for (int hop = 0; hop <= MaxLinkHops; ++hop) {
        struct stat info {};
        if (lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return target;
        char link[PATH_MAX];
        const ssize_t length = readlink(target.c_str(), link, sizeof link);
        if (length < 0)
            RaiseFileError(CannotCreate, path, errno);
        if (static_cast<size_t>(length) == sizeof link)
            RaiseFileError(CannotCreate, path, ENAMETOOLONG);
        const std::string next(link, static_cast<size_t>(length));
        target = next.starts_with('/') ? next : target.substr(0, NameStart(target)) + next;
    }
    RaiseFileError(CannotCreate, path, ELOOP);
}

// The target as it stands: nothing when it does not exist yet. Raises when the
// user may not replace it.
std::optional<TExisting> CheckTarget(const std::string& path, const std::string& target)
{
    struct stat info {};
    if (stat(target.c_str(), &info) != 0) {
        if (errno == ENOENT)
            return std::nullopt;
        RaiseFileError(CannotCreate, path, errno);
    }
    if (S_ISDIR(info.st_mode))
        RaiseFileError(CannotCreate, path, EISDIR);
    if (!S_ISREG(info.st_mode))
        RaiseFileError(CannotCreate, path, 0, "not a regular file");
    // The rights of the effective user, as an open for writing would check them.
    if (faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        RaiseFileError(CannotCreate, path, errno);
    return TExisting{static_cast<mode_t>(info.st_mode & 0777), info.st_uid, info.st_gid};
}

mode_t CurrentUmask()
{
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

// Gives the temporary file the mode a plain create would, or the replaced
// file's permission bits, owner and group. Only the permission bits are
// copied: a set-user-ID bit on a file that changed hands would be a gift.
void TakeOver(int fd, const std::optional<TExisting>& existing)
{
    if (!existing) {
        fchmod(fd, 0666 & ~CurrentUmask());
        return;
    }
    struct stat created {};
    if (fstat(fd, &created) == 0 && (created.st_uid != existing->Owner || created.st_gid != existing->Group)) {
        // Only root may give a file away; anyone may hand it to a group of theirs.
        // When neither is allowed, the new file is ours, in our group.
        [[maybe_unused]] const bool handedOver = fchown(fd, existing->Owner, existing->Group) == 0 ||
                                                 fchown(fd, static_cast<uid_t>(-1), existing->Group) == 0;
    }
    fchmod(fd, existing->Permissions);
}

// 0, or the system's error code.
int WriteAll(int fd, std::string_view data)
{
    size_t written = 0;
    while (written < data.size()) {
        const ssize_t n = write(fd, data.data() + written, data.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        written += static_cast<size_t>(n);
    }
    return 0;
}

std::string TemporaryName(const std::string& target, const std::string& suffix)
{
    const size_t nameStart = NameStart(target);
    return target.substr(0, nameStart) + target.substr(nameStart, MaxTemporaryStem) + "." + suffix;
}

// 0, or the system's error code.
int LinkUnnamed(int fd, const std::string& name)
{
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0 ? 0 : errno;
}

// The file being written. It has no name until it is complete (O_TMPFILE),
// so that a process killed while writing it leaves nothing behind; where the
// file system cannot make such a file, or /proc is not there to name it, it
// has a temporary name beside the target until then.
class TNewFile {
public:
    TNewFile(const std::string& path, const std::string& target) : Target_(target)
    {
        const std::string folder = target.substr(0, NameStart(target));
        if (access("/proc/self/fd", F_OK) == 0) {
            Fd_ = open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
            if (Fd_ < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
                RaiseFileError(CannotCreate, path, errno);
        }
        if (Fd_ < 0) {
            Temporary_ = TemporaryName(target, "XXXXXX");
            Fd_ = mkostemp(Temporary_.data(), O_CLOEXEC);
            if (Fd_ < 0)
                RaiseFileError(CannotCreate, path, errno);
        }
    }

    ~TNewFile()
    {
        if (Fd_ >= 0)
            close(Fd_);
        if (!Temporary_.empty())
            unlink(Temporary_.c_str());
    }

    TNewFile(const TNewFile&) = delete;
    TNewFile& operator=(const TNewFile&) = delete;

    int Fd() const { return Fd_; }

    // Flushes the whole file to disk and gives it the target's name, in one
    // step for any reader. Returns 0, or the system's error code; the file
    // is then gone.
    int Finish()
    {
        if (fsync(Fd_) != 0)
            return errno;
        int code = Temporary_.empty() ? LinkUnnamed(Fd_, Target_) : 0;
        // An existing target is replaced by a rename, from a name that the
        // file has for that moment only.
        for (int attempt = 0; code == EEXIST && attempt < 100; ++attempt) {
            Temporary_ = TemporaryName(Target_, RandomSuffix());
            code = LinkUnnamed(Fd_, Temporary_);
            if (code != 0)
                Temporary_.clear();
        }
        const int fd = std::exchange(Fd_, -1);
        if (close(fd) != 0 && code == 0)
            code = errno;
        if (code == 0 && !Temporary_.empty() && rename(Temporary_.c_str(), Target_.c_str()) != 0)
            code = errno;
        if (code == 0)
            Temporary_.clear();
        return code;
    }

private:
    static std::string RandomSuffix()
    {
        static constexpr char Letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
        std::random_device random;
        std::string suffix;
        for (int i = 0; i < 6; ++i)
            suffix += Letters[random() % (sizeof Letters - 1)];
        return suffix;
    }

    std::string Target_;
    std::string Temporary_;  // the file's name before it is complete, if it has one
    int Fd_ = -1;
};

} // namespace

void WriteFileAtomically(const std::string& path, std::string_view data)
{
    WriteFileAtomically(path, [data](int fd) { return WriteAll(fd, data); });
}

void WriteFileAtomically(const std::string& path, const std::function<int(int fd)>& write)
{
    const std::string target = FinalTarget(path);
    const std::optional<TExisting> existing = CheckTarget(path, target);
    TNewFile file(path, target);
    TakeOver(file.Fd(), existing);
    int code = write(file.Fd());
    if (code == 0)
        code = file.Finish();
    if (code != 0)
        RaiseFileError(CannotCreate, path, code);
}
