// Hosts may run their threads with flush-to-zero, denormals-are-zero or
// another rounding mode. The samples must not depend on that, so the engine
// computes under the default SSE state and gives the host's back afterwards.
#pragma once

#include <xmmintrin.h>

class SseDefaults {
public:
    SseDefaults() : saved(_mm_getcsr()) { _mm_setcsr(kDefaultState); }
    ~SseDefaults() { _mm_setcsr(saved); }
    SseDefaults(const SseDefaults&) = delete;
    SseDefaults& operator=(const SseDefaults&) = delete;

private:
    // All exceptions masked, round to nearest even, denormals kept.
    static constexpr unsigned int kDefaultState = 0x1F80;
    unsigned int saved;
};
