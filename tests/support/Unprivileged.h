#pragma once
// File protection as an ordinary user meets it. Root may write any file the
// system lets it write, so a test run as root checks a writer in a forked
// child that has dropped to uid and gid 65534 (nobody, nogroup); run as any
// other user, the child stays that user.
//
//     HandToUnprivilegedUser(folder);  // the child may create files there
//     EXPECT_EQ(RunUnprivileged([&] { return ErrorOf([&] { Save(path); }); }), "...");
//
// The checkout may lie where that user may not go (root's home, a folder
// made by mktemp -d): a program of the build that it must run is run from a
// copy in a folder of the test (UnprivilegedCopy).
#include <functional>
#include <string>

// In a child process (forked, or before exec): gives up root's rights for good.
// True when the process now runs as an ordinary user.
bool DropToUnprivilegedUser();

// Makes uid and gid 65534 the owner of path when running as root, so that the
// child may write into a folder the test made; nothing otherwise.
void HandToUnprivilegedUser(const std::string& path);

// Makes path a file holding text that nobody may write (mode 0444).
void WriteReadOnlyFile(const std::string& path, const std::string& text);

// The message of the TError that write raises, or "written" when it raises none.
std::string ErrorOf(const std::function<void()>& write);

// Runs body in a forked child as an ordinary user and returns what body
// returned. A child that cannot drop its rights, throws or does not finish
// normally gives a text that says so instead.
std::string RunUnprivileged(const std::function<std::string()>& body);

// What an ordinary user needs to run the program at `program` wherever the
// checkout lies: a copy of it in `folder` (one the test has handed to that
// user), and, when LSAN_OPTIONS names a leak suppressions file, a copy of
// that too, which the leak checker must read before it reports. Why says why
// when the copy cannot be made or that user still cannot run it.
struct TUnprivilegedCopy {
    std::string Program;
    std::string LeakOptions;  // LSAN_OPTIONS naming the copied suppressions; "" to keep it as it is
    std::string Why;          // "" when the copy is ready to run
};
TUnprivilegedCopy UnprivilegedCopy(const std::string& program, const std::string& folder);
