// Measurements on rendered audio.
#pragma once

#include <cmath>
#include <cstddef>
#include <vector>

// Frequency from the rising zero crossings between frames [begin, end),
// interpolated to fractions of a frame.
inline double measureFrequency(const std::vector<float>& signal, std::size_t begin, std::size_t end,
                               double sampleRate) {
    double first = -1.0, last = -1.0;
    int crossings = 0;
    for (std::size_t i = begin + 1; i < end; ++i) {
        if (signal[i - 1] < 0.0f && signal[i] >= 0.0f) {
            const double at = (i - 1) + signal[i - 1] / (static_cast<double>(signal[i - 1]) - signal[i]);
            if (first < 0.0) {
                first = at;
            }
            last = at;
            ++crossings;
        }
    }
    return crossings < 2 ? 0.0 : (crossings - 1) * sampleRate / (last - first);
}

inline float peakLevel(const std::vector<float>& signal, std::size_t begin, std::size_t end) {
    float peak = 0.0f;
    for (std::size_t i = begin; i < end; ++i) {
        peak = std::fmax(peak, std::fabs(signal[i]));
    }
    return peak;
}

inline bool allFinite(const std::vector<float>& signal) {
    for (float sample : signal) {
        if (!std::isfinite(sample)) {
            return false;
        }
    }
    return true;
}

// Index of the first sample whose magnitude exceeds threshold, or size().
inline std::size_t firstAbove(const std::vector<float>& signal, float threshold) {
    for (std::size_t i = 0; i < signal.size(); ++i) {
        if (std::fabs(signal[i]) > threshold) {
            return i;
        }
    }
    return signal.size();
}
