// Turning axis outputs and phases into table indices.
#pragma once

#include <emmintrin.h>

// x − 0.5 rounded to the nearest integer, ties to even: the integer part of a
// non-negative x, except that an odd integer n gives n − 1. The conversion
// rounds by the SSE state, which the engine holds at its default.
inline int roundedIndex(double x) {
    return _mm_cvtsd_si32(_mm_set_sd(x - 0.5));
}

// The same, kept inside 0..size−1 whatever x is (NaN converts to INT_MIN).
inline int boundedIndex(double x, int size) {
    const int index = roundedIndex(x);
    return index < 0 ? 0 : (index >= size ? size - 1 : index);
}
