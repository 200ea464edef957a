#include "tests/support/Unprivileged.h"

#include "platform/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// rwxr-xr-x: for a folder or a program that everyone may use.
const QFileDevice::Permissions OpenToAll = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                           QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;

QString Local(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// A copy of file in folder that everyone may read and run, kept from an
// earlier call; "" when it cannot be made.
std::string ReachableCopy(const std::string& file, const QString& folder)
{
    const QString copy = QDir(folder).filePath(QFileInfo(Local(file)).fileName());
    if (!QFile::exists(copy) && !QFile::copy(Local(file), copy))
        return {};
    QFile::setPermissions(copy, OpenToAll);
    return QFile::encodeName(copy).toStdString();
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

TUnprivilegedCopy UnprivilegedCopy(const std::string& program, const std::string& folder)
{
    const QString into = QDir(Local(folder)).filePath("unprivileged-copies");
    TUnprivilegedCopy copy;
    if (!QDir().mkpath(into) || !QFile::setPermissions(into, OpenToAll)) {
        copy.Why = "cannot make " + QFile::encodeName(into).toStdString() + " for the unprivileged user's copies";
        return copy;
    }
    copy.Program = ReachableCopy(program, into);
    if (copy.Program.empty()) {
        copy.Why = "cannot copy " + program + " into " + QFile::encodeName(into).toStdString();
        return copy;
    }
    const char* leakOptions = std::getenv("LSAN_OPTIONS");
    static const QRegularExpression suppressions("(^|:)suppressions=([^:]*)");
    if (const QRegularExpressionMatch found = suppressions.match(leakOptions ? leakOptions : "");
        found.hasMatch()) {
        const std::string copied = ReachableCopy(QFile::encodeName(found.captured(2)).toStdString(), into);
        if (copied.empty()) {
            copy.Why = "cannot copy the leak suppressions " + found.captured(2).toStdString();
            return copy;
        }
        copy.LeakOptions = QString(leakOptions).replace(found.capturedStart(2), found.capturedLength(2),
                                                         Local(copied)).toStdString();
    }
    const std::string reach = RunUnprivileged([&] {
        return access(copy.Program.c_str(), X_OK) == 0 ? std::string() : std::strerror(errno);
    });
    if (!reach.empty())
        copy.Why = "uid 65534 cannot run " + copy.Program + " (" + reach + "): every folder on the way to " +
                   folder + " must let that user pass";
    return copy;
}
