// The effect section's delay line: a ring written downwards, read at a
// fractional distance behind the write position.
#pragma once

#include <cstdint>

constexpr int kDelayMemorySize = 200000;
// The ring uses slots 0 to 99999; the upper half is never written and reads
// as silence.
constexpr std::int32_t kDelayRingSize = 100000;

struct FeedbackDelay {
    float buffer[kDelayMemorySize];
    float feedback; // FX output × 0.85, latest sample
    float wetGain;
    std::int32_t writePos;
    float readPos; // fractional, latest sample
};
