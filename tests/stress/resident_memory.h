// How much memory the process holds in RAM, to see whether a long run grows.
#pragma once

#include <cstdint>

// The resident set in bytes, from /proc/self/statm; 0 if it cannot be read.
std::int64_t residentBytes();
