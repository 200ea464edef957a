#pragma once
// Runs a piece of work on outside input in a child process, so that a crash,
// a hang or a runaway allocation inside a library we do not control cannot
// take the program down. The work returns bytes, which come back through a
// pipe; a TError it throws comes back as that same error.
#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

struct TIsolationLimits {
    std::size_t MaxOutput = 64u << 20;             // bytes the work may return
    std::chrono::milliseconds Time{5000};          // wall-clock time for the whole run
    // Address space the child may add to what it inherits. Under a sanitizer
    // the inherited part holds the shadow memory, and an allocation past the
    // limit ends the child with the sanitizer's report. This stays below a
    // fuzzer's own allocation limit, so the child never reaches that one.
    std::size_t ExtraMemory = std::size_t(1) << 30;
};

// Throws TError with `failure` followed by the reason when the child dies, is
// stopped for taking too long, or returns more than MaxOutput bytes.
std::string RunIsolated(const std::function<std::string()>& work, const TIsolationLimits& limits,
                        const std::string& failure);
