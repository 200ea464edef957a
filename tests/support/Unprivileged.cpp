#include "tests/support/Unprivileged.h"

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

void WriteAll(int fd, const std::string& text)
{
    for (size_t done = 0; done < text.size();) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return;
        done += static_cast<size_t>(n);
    }
}

std::string ReadAll(int fd)
{
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return text;
        text.append(buffer, static_cast<size_t>(n));
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
        WriteAll(channel[1], ChildResult(body));
        // No exit handlers, no leak check: the parent's state is not the child's to tidy.
        _exit(0);
    }
    close(channel[1]);
    const std::string result = ReadAll(channel[0]);
    close(channel[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "the unprivileged child did not finish (wait status " + std::to_string(status) + ")";
    return result;
}
