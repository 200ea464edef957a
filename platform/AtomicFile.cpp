#include "platform/AtomicFile.h"

#include "platform/Error.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

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

} // namespace

void WriteFileAtomically(const std::string& path, std::string_view data)
{
    WriteFileAtomically(path, [data](int fd) { return WriteAll(fd, data); });
}

void WriteFileAtomically(const std::string& path, const std::function<int(int fd)>& write)
{
    const std::string target = FinalTarget(path);
    const std::optional<TExisting> existing = CheckTarget(path, target);

    const size_t nameStart = NameStart(target);
    std::string temp = target.substr(0, nameStart) + target.substr(nameStart, MaxTemporaryStem) + ".XXXXXX";
    const int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        RaiseFileError(CannotCreate, path, errno);
    TakeOver(fd, existing);
    int code = 0;
    try {
        code = write(fd);
    } catch (...) {
        close(fd);
        unlink(temp.c_str());
        throw;
    }
    if (code == 0 && fsync(fd) != 0)
        code = errno;
    if (close(fd) != 0 && code == 0)
        code = errno;
    if (code == 0 && rename(temp.c_str(), target.c_str()) != 0)
        code = errno;
    if (code != 0) {
        unlink(temp.c_str());
        RaiseFileError(CannotCreate, path, code);
    }
}
