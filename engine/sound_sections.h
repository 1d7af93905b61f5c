// The three sections, one sample at a time: the tone, the LFO that feeds
// modulation slot 6, and the feedback delay fed with the tone. What moves
// from sample to sample is held in small records of its own, so a block can
// keep it in locals (registers) and put it back into the engine at its end.
#pragma once

#include <cmath>
#include <cstdint>

#include "engine/feedback_delay.h"
#include "engine/index_rounding.h"
#include "engine/table_oscillator.h"

// An axis output of 1.0 reads this far into an increment table. The product
// of a float and 16000 is exact in double precision, so rounding it to single
// precision once is what a single-precision multiplication gives.
constexpr float kIncrementIndexScale = 16000.0f;

// The moving part of a TableOscillator.
struct OscillatorMotion {
    float phase;
    float increment;
};

// The moving part of a FeedbackDelay, all but the memory.
struct DelayMotion {
    float feedback;
    float wetGain;
    std::int32_t writePos;
    float readPos;
};

// The phase step an axis output selects, in sine-table entries per sample.
inline float incrementFor(const TableOscillator& tables, float axisOut) {
    const float x = axisOut * kIncrementIndexScale;
    // An output of exactly 2.0 would read one past the table.
    return tables.incrementTable[boundedIndex(x, kIncrementTableSize)];
}

// Advances the phase by an increment; answers the unrounded new phase.
inline double advancePhase(OscillatorMotion& m, float increment) {
    m.increment = increment;
    double p = static_cast<double>(m.phase) + m.increment;
    while (p > kPhaseCycle) {
        p -= kPhaseCycle;
    }
    m.phase = static_cast<float>(p);
    return p;
}

// Sine at the pitch the MY output gives (through its increment), scaled by
// the MX output.
inline double toneAt(OscillatorMotion& tone, const TableOscillator& tables, float increment, float levelOut) {
    advancePhase(tone, increment);
    return static_cast<double>(levelOut) * tables.sineTable[boundedIndex(tone.phase, kSineTableSize)];
}

inline double stepTone(OscillatorMotion& tone, const TableOscillator& tables, float pitchOut, float levelOut) {
    return toneAt(tone, tables, incrementFor(tables, pitchOut), levelOut);
}

// The LFO is a square wave between −depth² and +depth², high for the first
// half of the cycle; rate from the LY output (through its increment), depth
// from the LX output. squareAt advances the phase and answers the wave's
// sign, +1.0 or −1.0; lfoValue gives it its depth.
inline double squareAt(OscillatorMotion& lfo, const TableOscillator& tables, float increment) {
    const double p = advancePhase(lfo, increment);
    return tables.sineTable[static_cast<int>(p)] >= 0.0f ? 1.0 : -1.0;
}

inline float lfoValue(double square, float depthOut) {
    return static_cast<float>(square * (static_cast<double>(depthOut) * depthOut));
}

inline float stepLfo(OscillatorMotion& lfo, const TableOscillator& tables, float rateOut, float depthOut) {
    return lfoValue(squareAt(lfo, tables, incrementFor(tables, rateOut)), depthOut);
}

// Delay of 0.5 s per unit of the FY output, feedback 0.85 per unit of the FX
// output; halfRate is the host's sample rate × 0.5. Answers tone plus echo.
inline double stepDelay(DelayMotion& d, float* buffer, double tone, float timeOut, float feedbackOut,
                        double halfRate) {
    double r = static_cast<double>(d.writePos) + halfRate * timeOut;
    // The read position wraps by one slot less than the ring, as it always has.
    if (r >= 99999.0) {
        r -= 99999.0;
    }
    d.readPos = static_cast<float>(r);
    // A read position beyond the memory (sample rates near 200 kHz, or no
    // usable rate at all) reads silence.
    double delayed = 0.0;
    if (d.readPos >= 0.0f && d.readPos < static_cast<float>(kDelayMemorySize - 1)) {
        const int k = roundedIndex(d.readPos);
        const double f = static_cast<double>(d.readPos) - k;
        delayed = static_cast<double>(buffer[k]) +
                  f * (static_cast<double>(buffer[k + 1]) - static_cast<double>(buffer[k]));
    }
    d.feedback = static_cast<float>(static_cast<double>(feedbackOut) * 0.85);
    d.wetGain = 1.0f;
    // Echoes that grow without bound must not fill the memory with infinities.
    const auto written = static_cast<float>(tone + static_cast<double>(d.feedback) * delayed);
    buffer[d.writePos] = std::isfinite(written) ? written : 0.0f;
    d.writePos = d.writePos - 1 < 0 ? d.writePos + (kDelayRingSize - 1) : d.writePos - 1;
    return tone + delayed * static_cast<double>(d.wetGain);
}
