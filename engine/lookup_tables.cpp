// The sine and increment tables, built once per instance for 44100 Hz.
#include "engine/correctly_rounded.h"
#include "engine/sse_defaults.h"
#include "plugin/adelay.h"

namespace {

constexpr double kSineStep = static_cast<double>(0.002f); // radians per entry
constexpr double kHalfTurn = 3.14159265;
constexpr double kTurn = 6.2831853;
constexpr double kExponentStep = static_cast<double>(0.0000625f);
constexpr double kTablePeriod = 1.0 / 44100.0; // seconds per sample at the tables' rate
constexpr double kCycleEntries = 3141.0;
constexpr double kToneCentre = 440.0;                     // Hz at exponent 0
constexpr double kLfoCentre = static_cast<double>(4.44f); // Hz at exponent 0

} // namespace

void ADelay::fillTables() {
    const SseDefaults sseDefaults;
    for (int i = 0; i < kSineTableSize; ++i) {
        double x = i * kSineStep;
        while (x > kHalfTurn) {
            x -= kTurn;
        }
        const auto entry = static_cast<float>(correctlyRoundedSin(x));
        toneOsc.sineTable[i] = entry;
        lfoOsc.sineTable[i] = entry;
    }
    // An entry is the phase step, in sine-table entries per sample, of a
    // wave 2^e (tone) or 3^e (LFO) times its centre frequency.
    for (int i = 0; i < kIncrementTableSize; ++i) {
        const double e = i * kExponentStep * 8.0 - 4.0;
        toneOsc.incrementTable[i] =
            static_cast<float>(correctlyRoundedPow(2.0, e) * kToneCentre * kTablePeriod * kCycleEntries);
        lfoOsc.incrementTable[i] =
            static_cast<float>(correctlyRoundedPow(3.0, e) * kLfoCentre * kTablePeriod * kCycleEntries);
    }
}
