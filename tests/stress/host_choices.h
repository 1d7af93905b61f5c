// The random choices a host makes, from one seeded generator per thread:
// mostly what hosts send every day, sometimes what the worst of them send.
#pragma once

#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <random>

class HostChoices {
public:
    explicit HostChoices(std::uint32_t seed) : generator(seed) {}

    bool chance(double probability) { return std::bernoulli_distribution(probability)(generator); }
    // 0 to count - 1.
    std::int32_t below(std::int32_t count) { return std::uniform_int_distribution<std::int32_t>(0, count - 1)(generator); }
    std::int32_t between(std::int32_t low, std::int32_t high) {
        return std::uniform_int_distribution<std::int32_t>(low, high)(generator);
    }
    float unit() { return std::uniform_real_distribution<float>(0.0f, 1.0f)(generator); }

    // No number, infinities, a subnormal, negatives, far beyond any knob.
    float hostileFloat() {
        const float values[] = {std::numeric_limits<float>::quiet_NaN(),
                                std::numeric_limits<float>::infinity(),
                                -std::numeric_limits<float>::infinity(),
                                std::numeric_limits<float>::denorm_min(),
                                -0.0f,
                                -1.0f,
                                1.0000001f,
                                2.0f,
                                1.0e30f,
                                -3.0e38f};
        return values[below(static_cast<std::int32_t>(std::size(values)))];
    }

    // What a host writes into a parameter: a knob's value, or anything.
    float parameterValue() { return chance(0.2) ? hostileFloat() : unit(); }

    // The rates hosts run at; a host that breaks the rules may send anything.
    float sampleRate(bool anything) {
        const float rates[] = {22050.0f, 44100.0f, 48000.0f, 88200.0f, 96000.0f, 192000.0f};
        if (anything && chance(0.3)) {
            return chance(0.5) ? hostileFloat() : static_cast<float>(between(0, 400000));
        }
        return rates[below(static_cast<std::int32_t>(std::size(rates)))];
    }

    // Block sizes as declared to the plug-in (hosts exceed them anyway).
    std::int32_t blockSize(bool anything) {
        if (anything && chance(0.3)) {
            return between(std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
        }
        return 1 << between(4, 13);
    }

private:
    std::mt19937 generator;
};
