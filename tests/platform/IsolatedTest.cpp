#include "platform/Isolated.h"

#include "platform/Error.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

namespace {

std::string Failure(const std::function<std::string()>& work, const TIsolationLimits& limits = {})
{
    try {
        RunIsolated(work, limits, "It failed");
    } catch (const TError& e) {
        return e.what();
    }
    return "(no error)";
}

} // namespace

TEST(Isolated, ReturnsWhatTheWorkReturns)
{
    const std::string big(300000, 'x');  // more than a pipe holds at once
    EXPECT_EQ(RunIsolated([&] { return big; }, {}, "It failed"), big);
    EXPECT_EQ(RunIsolated([] { return std::string(); }, {}, "It failed"), "");
}

TEST(Isolated, AnErrorOfTheWorkComesBackAsItIs)
{
    EXPECT_EQ(Failure([]() -> std::string { throw TError("Metafile is not valid"); }), "Metafile is not valid");
}

TEST(Isolated, ACrashEndsTheChildAlone)
{
    EXPECT_EQ(Failure([]() -> std::string {
                  raise(SIGSEGV);
                  return "survived";
              }),
              "It failed (its reader failed on it)");
    EXPECT_EQ(Failure([]() -> std::string { throw std::runtime_error("not ours"); }),
              "It failed (its reader failed on it)");
}

namespace {
pid_t g_parent = 0;
int g_exitMarks = -1;  // write end of a pipe that the program's exit handler writes to
} // namespace

TEST(Isolated, AnExitInsideTheWorkSkipsTheProgramsExitHandlers)
{
    int marks[2];
    ASSERT_EQ(pipe2(marks, O_NONBLOCK), 0);
    g_parent = getpid();
    g_exitMarks = marks[1];
    std::atexit([] {
        if (getpid() != g_parent && g_exitMarks >= 0)
            (void)!write(g_exitMarks, "x", 1);
    });
    EXPECT_EQ(Failure([]() -> std::string { std::exit(0); }), "It failed (its reader failed on it)");
    char mark;
    EXPECT_EQ(read(marks[0], &mark, 1), -1);  // nothing written
    g_exitMarks = -1;
    close(marks[0]);
    close(marks[1]);
}

TEST(Isolated, AHangIsStoppedAtTheTimeLimit)
{
    TIsolationLimits limits;
    limits.Time = std::chrono::milliseconds(200);
    EXPECT_EQ(Failure(
                  []() -> std::string {
                      for (;;)
                          pause();
                  },
                  limits),
              "It failed (reading it took too long)");
}

TEST(Isolated, OutputBeyondTheLimitIsRefused)
{
    TIsolationLimits limits;
    limits.MaxOutput = 1000;
    EXPECT_EQ(RunIsolated([] { return std::string(1000, 'y'); }, limits, "It failed").size(), 1000u);
    EXPECT_EQ(Failure([] { return std::string(1001, 'y'); }, limits), "It failed (it is too complex)");
}

extern "C" void __sanitizer_set_death_callback(void (*callback)()) __attribute__((weak));

namespace {
int g_deathMarks = -1;  // write end of a pipe that a sanitizer's death callback writes to
} // namespace

// Under a sanitizer too: the child's limit lies above the inherited shadow
// memory, and a fuzzer's handler of the sanitizer's end (which saves its input
// to a file) does not run in the child.
TEST(Isolated, ARunawayAllocationFailsInsideTheChild)
{
    int marks[2];
    ASSERT_EQ(pipe2(marks, O_NONBLOCK), 0);
    g_deathMarks = marks[1];
    if (__sanitizer_set_death_callback)
        __sanitizer_set_death_callback([] { (void)!write(g_deathMarks, "x", 1); });
    TIsolationLimits limits;
    limits.ExtraMemory = std::size_t(64) << 20;
    EXPECT_EQ(Failure(
                  [] {
                      std::vector<char> huge(std::size_t(1) << 30, 'z');
                      return std::string(1, huge[12345]);
                  },
                  limits),
              "It failed (its reader failed on it)");
    EXPECT_EQ(RunIsolated([] { return std::string(std::size_t(16) << 20, 'y'); }, limits, "It failed").size(),
              std::size_t(16) << 20);
    if (__sanitizer_set_death_callback)
        __sanitizer_set_death_callback(nullptr);
    char mark;
    EXPECT_EQ(read(marks[0], &mark, 1), -1);  // nothing written
    close(marks[0]);
    close(marks[1]);
}
