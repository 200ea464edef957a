#include "tests/support/Unprivileged.h"

#include "platform/Error.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <exception>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t UnprivilegedId = 65534;

std::string ChildResult(const std::function<std::string()>& body)
{
    if (!DropToUnprivilegedUser())
        return "cannot drop to uid and gid 65534";
    try {
        return body();
    } catch (const std::exception& e) {
        return std::string("uncaught exception: ") + e.what();
    }
}

} // namespace

bool DropToUnprivilegedUser()
{
    if (geteuid() != 0)
        return true;
    return setgroups(0, nullptr) == 0 && setgid(UnprivilegedId) == 0 && setuid(UnprivilegedId) == 0 &&
           geteuid() == UnprivilegedId;
}

void HandToUnprivilegedUser(const std::string& path)
{
    if (geteuid() == 0 && lchown(path.c_str(), UnprivilegedId, UnprivilegedId) != 0)
        std::perror(path.c_str());
}

void WriteReadOnlyFile(const std::string& path, const std::string& text)
{
    QFile file(QFile::decodeName(QByteArray::fromStdString(path)));
    if (file.open(QIODevice::WriteOnly))
        file.write(QByteArray::fromStdString(text));
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
}

std::string ErrorOf(const std::function<void()>& write)
{
    try {
        write();
        return "written";
    } catch (const TError& e) {
        return e.what();
    }
}

std::string RunUnprivileged(const std::function<std::string()>& body)
{
    int channel[2];
    if (pipe(channel) != 0)
        return "no pipe to the child";
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0)
        return "cannot fork";
    if (child == 0) {
        close(channel[0]);
        QFile toParent;
        toParent.open(channel[1], QIODevice::WriteOnly, QFileDevice::AutoCloseHandle);
        toParent.write(QByteArray::fromStdString(ChildResult(body)));
        toParent.close();
        // No exit handlers, no leak check: the parent's state is not the child's to tidy.
        _exit(0);
    }
    close(channel[1]);
    QFile fromChild;
    fromChild.open(channel[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    const std::string result = fromChild.readAll().toStdString();
    fromChild.close();
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "the unprivileged child did not finish (wait status " + std::to_string(status) + ")";
    return result;
}
