// A broken promise of the plug-in: say which, then stop so that libFuzzer
// keeps the input that showed it.
#pragma once

#include <cstdio>
#include <cstdlib>

inline void require(bool kept, const char* promise) {
    if (!kept) {
        std::fprintf(stderr, "plug-in broke its promise: %s\n", promise);
        std::abort();
    }
}
