// Hosts may run their threads with flush-to-zero, denormals-are-zero or
// another rounding mode. The samples must not depend on that, so the engine
// computes under the default SSE state and gives the host's back afterwards.
#pragma once

#include <xmmintrin.h>

class SseDefaults {
public:
    // Writing the control register stalls the pipeline for a while, every
    // block; most hosts already run with the defaults, and then it is left
    // alone. The status flags (bits 0 to 5) change no result: the engine's
    // arithmetic may raise them, as any code's does.
    SseDefaults() : saved(_mm_getcsr()), changed((saved & ~kStatusFlags) != kDefaultState) {
        if (changed) {
            _mm_setcsr(kDefaultState);
        }
    }
    ~SseDefaults() {
        if (changed) {
            _mm_setcsr(saved);
        }
    }
    SseDefaults(const SseDefaults&) = delete;
    SseDefaults& operator=(const SseDefaults&) = delete;

private:
    // All exceptions masked, round to nearest even, denormals kept.
    static constexpr unsigned int kDefaultState = 0x1F80;
    static constexpr unsigned int kStatusFlags = 0x3F;
    unsigned int saved;
    bool changed;
};
