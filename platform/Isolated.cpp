#include "platform/Isolated.h"

#include "platform/Error.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// Present only in programs built with a sanitizer.
extern "C" void __sanitizer_set_death_callback(void (*callback)()) __attribute__((weak));

namespace {

void WriteAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            _exit(1);
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

void LimitAddressSpace(std::size_t extra)
{
    unsigned long pages = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%lu", &pages) != 1)
            pages = 0;
        std::fclose(statm);
    }
    if (pages == 0)
        return;
    rlimit limit{};
    getrlimit(RLIMIT_AS, &limit);
    const rlim_t wanted = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + extra;
    if (limit.rlim_max == RLIM_INFINITY || wanted < limit.rlim_max) {
        limit.rlim_cur = wanted;
        setrlimit(RLIMIT_AS, &limit);
    }
}

// The child: a fault ends it alone and silently (no sanitizer or fuzzer
// report, no core file, no file left by a fuzzer's handlers); its reply is one
// status byte ('O' or 'E') and the output or the error message.
[[noreturn]] void RunChild(int fd, const std::function<std::string()>& work, const TIsolationLimits& limits)
{
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGTRAP})
        sigaction(signal, &fallback, nullptr);
    // A fuzzer saves its current input when a sanitizer ends the process; a
    // child that a sanitizer ends saves nothing.
    if (__sanitizer_set_death_callback)
        __sanitizer_set_death_callback(nullptr);
    // A library that calls exit() must not run the program's exit handlers
    // and static destructors in the child: this handler, registered last,
    // runs first and ends the child at once.
    std::atexit([] { _exit(1); });
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    LimitAddressSpace(limits.ExtraMemory);
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) {
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
    }
    std::string reply;
    try {
        reply = 'O' + work();
    } catch (const TError& e) {
        reply = std::string("E") + e.what();
    } catch (...) {
        _exit(1);
    }
    WriteAll(fd, reply.data(), reply.size());
    _exit(0);
}

} // namespace

std::string RunIsolated(const std::function<std::string()>& work, const TIsolationLimits& limits,
                        const std::string& failure)
{
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        RaiseLastOSError();
    const pid_t child = fork();
    if (child < 0) {
        const int code = errno;
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        throw TError(SystemErrorMessage(code));
    }
    if (child == 0) {
        close(pipeEnds[0]);
        RunChild(pipeEnds[1], work, limits);
    }
    close(pipeEnds[1]);

    std::string reply;
    bool late = false, tooLarge = false;
    const auto deadline = std::chrono::steady_clock::now() + limits.Time;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            late = true;
            break;
        }
        pollfd readable{pipeEnds[0], POLLIN, 0};
        const int ready = poll(&readable, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno != EINTR)
            break;
        if (ready <= 0)
            continue;
        char buffer[65536];
        const ssize_t n = read(pipeEnds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        reply.append(buffer, static_cast<std::size_t>(n));
        if (reply.size() > limits.MaxOutput + 1) {
            tooLarge = true;
            break;
        }
    }
    close(pipeEnds[0]);
    if (late || tooLarge)
        kill(child, SIGKILL);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (late)
        throw TError(failure + " (reading it took too long)");
    if (tooLarge)
        throw TError(failure + " (it is too complex)");
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || reply.empty())
        throw TError(failure + " (its reader failed on it)");
    if (reply[0] == 'E')
        throw TError(reply.substr(1));
    return reply.substr(1);
}
