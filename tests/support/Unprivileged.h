#pragma once
// File protection as an ordinary user meets it. Root may write any file the
// system lets it write, so a test run as root checks a writer in a forked
// child that has dropped to uid and gid 65534 (nobody, nogroup); run as any
// other user, the child stays that user.
//
//     HandToUnprivilegedUser(folder);  // the child may create files there
//     EXPECT_EQ(RunUnprivileged([&] { return ErrorOf([&] { Save(path); }); }), "...");
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
