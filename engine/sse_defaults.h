// Hosts may run their threads with flush-to-zero, denormals-are-zero or
// another rounding mode. The samples must not depend on that, so the engine
// computes under one fixed SSE state and gives the host's back afterwards.
//
// That state flushes denormal numbers: echoes fed back at more than 0.5 would
// otherwise keep the smallest denormal alive for ever (0.765 × 2^-149 rounds
// back to 2^-149), and on many processors every operation on a denormal
// costs as much as a hundred others, so a silent instrument would cost more
// than a playing one. Only numbers below 2^-126 in magnitude read or come
// out differently.
#pragma once

#include <xmmintrin.h>

class SseDefaults {
public:
    SseDefaults() : saved(_mm_getcsr()) { _mm_setcsr(kEngineState); }
    ~SseDefaults() { _mm_setcsr(saved); }
    SseDefaults(const SseDefaults&) = delete;
    SseDefaults& operator=(const SseDefaults&) = delete;

private:
    // All exceptions masked, round to nearest even, denormal results flushed
    // to zero (bit 15) and denormal operands read as zero (bit 6).
    static constexpr unsigned int kEngineState = 0x1F80 | 0x8000 | 0x0040;
    unsigned int saved;
};
