#pragma once
// A property a fuzz target holds: when it breaks, the target says which and
// aborts, so that libFuzzer keeps the input.
#include <cstdio>
#include <cstdlib>

inline void Check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}
