// Garbage from the host (NaN, infinities, values that overflow a spring) must
// not stay in the engine: it becomes 0.0 where it enters, and finite values
// pass exactly as they are.
#pragma once

#include <cmath>

inline float finiteOrZero(float value) {
    return std::isfinite(value) ? value : 0.0f;
}

inline double finiteOrZero(double value) {
    return std::isfinite(value) ? value : 0.0;
}
