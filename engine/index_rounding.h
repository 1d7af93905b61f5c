// Turning axis outputs, phases and read positions into table indices.
#pragma once

#include <xmmintrin.h>

// x − 0.5 rounded to the nearest integer, ties to even: the integer part of a
// non-negative x, except that an odd integer n gives n − 1. Every x the engine
// rounds is a float below 2^22, where x − 0.5 is exact in single precision, so
// single precision gives the same integer as double. The conversion rounds by
// the SSE state, which the engine holds at its default.
inline int roundedIndex(float x) {
    return _mm_cvtss_si32(_mm_set_ss(x - 0.5f));
}

// Kept inside 0..size−1 whatever x is (NaN converts to INT_MIN).
inline int boundedIndex(float x, int size) {
    const int index = roundedIndex(x);
    return index < 0 ? 0 : (index >= size ? size - 1 : index);
}
