#pragma once
// The bytes of a picture file on their way to its descriptor, through a
// buffer. A write that fails raises TWriteFailure with the system's errno,
// which the file's writer reports (ImageFile.h).
#include <cstdint>
#include <cstdio>

struct TWriteFailure {
    int Code;
};

class TFileOutput {
public:
    // Writes to fd, which stays open: it is the caller's to close.
    explicit TFileOutput(int fd);
    ~TFileOutput();
    TFileOutput(const TFileOutput&) = delete;
    TFileOutput& operator=(const TFileOutput&) = delete;

    void Write(const void* data, size_t size);
    // Goes to offset bytes from the file's start; the file grows as needed.
    void Seek(uint64_t offset);
    // Writes out what the buffer holds.
    void Flush();

private:
    [[noreturn]] void Fail() const;

    std::FILE* File_;
};
