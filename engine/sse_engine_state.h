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

class SseEngineState {
public:
    // Writing the control register stalls the pipeline for a while; a host
    // that already runs in the engine's state is left alone. The status
    // flags (bits 0 to 5) change no result: the engine's arithmetic may raise
    // them, as any code's does.
    SseEngineState() : saved(_mm_getcsr()), changed((saved & ~kStatusFlags) != kEngineState) {
        if (changed) {
            _mm_setcsr(kEngineState);
        }
    }
    ~SseEngineState() {
        if (changed) {
            _mm_setcsr(saved);
        }
    }
    SseEngineState(const SseEngineState&) = delete;
    SseEngineState& operator=(const SseEngineState&) = delete;

private:
    // All exceptions masked, round to nearest even, denormal results flushed
    // to zero (bit 15) and denormal operands read as zero (bit 6).
    static constexpr unsigned int kEngineState = 0x1F80 | 0x8000 | 0x0040;
    static constexpr unsigned int kStatusFlags = 0x3F;
    unsigned int saved;
    bool changed;
};
