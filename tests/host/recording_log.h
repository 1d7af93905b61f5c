// A line of a recording test plug-in's log, written only when the test
// asked for a log (QUORVANE_RECORD_LOG).
#pragma once

#include <cstdarg>
#include <cstdio>

inline void note(std::FILE* log, const char* format, ...) __attribute__((format(printf, 2, 3)));
inline void note(std::FILE* log, const char* format, ...) {
    if (log == nullptr) {
        return;
    }
    va_list args;
    va_start(args, format);
    std::vfprintf(log, format, args);
    va_end(args);
    std::fputc('\n', log);
}
