// Measurements of rendered audio, for tests.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "host/audio_files.h"

inline double peakOf(const AudioData& a, std::int64_t from = 0, std::int64_t to = -1) {
    if (to < 0) {
        to = a.frames();
    }
    double peak = 0.0;
    for (std::int64_t i = from * a.channels; i < to * a.channels; ++i) {
        peak = std::max(peak, static_cast<double>(std::fabs(a.samples[static_cast<std::size_t>(i)])));
    }
    return peak;
}

inline double rmsOf(const AudioData& a, int channel, std::int64_t from, std::int64_t to) {
    double sum = 0.0;
    for (std::int64_t i = from; i < to; ++i) {
        const double s = a.samples[static_cast<std::size_t>(i * a.channels + channel)];
        sum += s * s;
    }
    return to > from ? std::sqrt(sum / static_cast<double>(to - from)) : 0.0;
}

// Frequency of channel 0 between two frames, from the first and last upward
// zero crossings (interpolated within their frame) and the count between.
inline double frequencyOf(const AudioData& a, std::int64_t from, std::int64_t to) {
    double first = -1.0, last = -1.0;
    int crossings = 0;
    for (std::int64_t i = from + 1; i < to; ++i) {
        const double x0 = a.samples[static_cast<std::size_t>((i - 1) * a.channels)];
        const double x1 = a.samples[static_cast<std::size_t>(i * a.channels)];
        if (x0 < 0.0 && x1 >= 0.0) {
            const double at = static_cast<double>(i - 1) + x0 / (x0 - x1);
            if (first < 0.0) {
                first = at;
            } else {
                ++crossings;
            }
            last = at;
        }
    }
    return crossings > 0 ? crossings * a.sampleRate / (last - first) : 0.0;
}
