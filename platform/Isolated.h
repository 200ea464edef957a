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
    std::size_t ExtraMemory = std::size_t(1) << 30; // address space the child may add
};

// The memory limit is left out under AddressSanitizer, whose shadow memory
// already exceeds any sensible limit.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kIsolationLimitsMemory = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kIsolationLimitsMemory = false;
#else
constexpr bool kIsolationLimitsMemory = true;
#endif
#else
constexpr bool kIsolationLimitsMemory = true;
#endif

// Throws TError with `failure` followed by the reason when the child dies, is
// stopped for taking too long, or returns more than MaxOutput bytes.
std::string RunIsolated(const std::function<std::string()>& work, const TIsolationLimits& limits,
                        const std::string& failure);
