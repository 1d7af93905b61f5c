// The five number-to-text tools: 8 characters at most, digits cut, never rounded.
#include <cmath>
#include <cstdio>

#include "audioeffect.h"
#include "host_text.h"

namespace {

constexpr std::size_t kFieldWidth = 8;
constexpr std::size_t kTextCapacity = kFieldWidth + 1;
constexpr const char* kHugeText = " Huge!  ";
constexpr const char* kMinusInfinityText = "  -oo   ";
constexpr const char* kNotANumberText = "NaN";

// Decimal digit of a non-negative double, from the remainder as the field
// has always been built (never from rounding).
char digitOf(double value) {
    return static_cast<char>('0' + static_cast<int>(std::fmod(value, 10.0)));
}

} // namespace

void AudioEffect::float2string(float value, char* text) {
    double v = value;
    if (std::isnan(v)) {
        copyHostText(text, kTextCapacity, kNotANumberText);
        return;
    }
    std::size_t n = 0;
    const bool negative = !(v >= 0.0);
    if (negative) {
        n = 1;
        v = -v;
        if (v > 9999999.0) {
            copyHostText(text, kTextCapacity, kHugeText);
            return;
        }
    } else if (v > 99999999.0) {
        copyHostText(text, kTextCapacity, kHugeText);
        return;
    }

    // Integer digits, least significant first; x steps by the double nearest
    // 0.1 rather than by division, which decides the digits of some values.
    char integerDigits[kFieldWidth];
    std::size_t integerCount = 0;
    const double integerPart = std::floor(v);
    integerDigits[integerCount++] = digitOf(integerPart);
    n += 2;
    double x = integerPart * 0.1;
    while (x >= 1.0 && n < kFieldWidth) {
        integerDigits[integerCount++] = digitOf(x);
        ++n;
        x *= 0.1;
    }

    char field[kTextCapacity];
    std::size_t length = 0;
    if (negative) {
        field[length++] = '-';
    }
    // Eight integer digits (seven behind a sign) leave no room for the point;
    // show the whole integer rather than lose its leading digit.
    const bool integerFillsField = x >= 1.0;
    if (integerFillsField) {
        integerDigits[integerCount++] = digitOf(x);
    }
    while (integerCount > 0) {
        field[length++] = integerDigits[--integerCount];
    }
    if (!integerFillsField) {
        field[length++] = '.';
        if (n < kFieldWidth) {
            double m = std::fmod(v, 1.0) * std::pow(10.0, static_cast<double>(kFieldWidth - n));
            const std::size_t fractionCount = kFieldWidth - n;
            char fractionDigits[kFieldWidth];
            for (std::size_t k = fractionCount; k > 0; --k) {
                if (m > 0.0) {
                    fractionDigits[k - 1] = digitOf(m);
                    m *= 0.1;
                } else {
                    fractionDigits[k - 1] = '0';
                }
            }
            for (std::size_t k = 0; k < fractionCount; ++k) {
                field[length++] = fractionDigits[k];
            }
        }
    }
    field[length] = '\0';
    copyHostText(text, kTextCapacity, field);
}

void AudioEffect::dB2string(float value, char* text) {
    if (value > 0.0f) {
        float2string(static_cast<float>(20.0 * std::log10(static_cast<double>(value))), text);
    } else {
        copyHostText(text, kTextCapacity, kMinusInfinityText);
    }
}

void AudioEffect::Hz2string(float samples, char* text) {
    const float rate = getSampleRate();
    if (samples == 0.0f || std::isnan(samples)) {
        float2string(0.0f, text);
    } else {
        float2string(static_cast<float>(static_cast<double>(rate) / samples), text);
    }
}

// A rate of 0 gives an infinite length, which reads " Huge!  ".
void AudioEffect::ms2string(float samples, char* text) {
    const float rate = getSampleRate();
    float2string(static_cast<float>(static_cast<double>(samples) * 1000.0 / rate), text);
}

void AudioEffect::long2string(VstInt32 value, char* text) {
    // Below -9999999 the sign and digits need more than 8 characters.
    if (value >= 100000000 || value < -9999999) {
        copyHostText(text, kTextCapacity, kHugeText);
        return;
    }
    char rendered[16];
    std::snprintf(rendered, sizeof rendered, "%7d", static_cast<int>(value));
    copyHostText(text, kTextCapacity, rendered);
}
