// The sine and increment tables for 44100 Hz. Every instance holds its own
// copy, as it holds all its state; the values are the same for all of them,
// so they are worked out once per library (about 13 ms of correctly rounded
// sines and powers) and copied into each new instance.
#include <cstring>

#include "engine/correctly_rounded.h"
#include "engine/sse_engine_state.h"
#include "engine/engine.h"

namespace {

constexpr double kSineStep = static_cast<double>(0.002f); // radians per entry
constexpr double kHalfTurn = 3.14159265;
constexpr double kTurn = 6.2831853;
constexpr double kExponentStep = static_cast<double>(0.0000625f);
constexpr double kTablePeriod = 1.0 / 44100.0; // seconds per sample at the tables' rate
constexpr double kCycleEntries = 3141.0;
constexpr double kToneCentre = 440.0;                     // Hz at exponent 0
constexpr double kLfoCentre = static_cast<double>(4.44f); // Hz at exponent 0

struct Tables {
    float sine[kSineTableSize];
    float toneIncrement[kIncrementTableSize];
    float lfoIncrement[kIncrementTableSize];

    Tables() {
        const SseEngineState engineState;
        for (int i = 0; i < kSineTableSize; ++i) {
            double x = i * kSineStep;
            while (x > kHalfTurn) {
                x -= kTurn;
            }
            sine[i] = static_cast<float>(correctlyRoundedSin(x));
        }
        // An entry is the phase step, in sine-table entries per sample, of a
        // wave 2^e (tone) or 3^e (LFO) times its centre frequency.
        for (int i = 0; i < kIncrementTableSize; ++i) {
            const double e = i * kExponentStep * 8.0 - 4.0;
            toneIncrement[i] =
                static_cast<float>(correctlyRoundedPow(2.0, e) * kToneCentre * kTablePeriod * kCycleEntries);
            lfoIncrement[i] =
                static_cast<float>(correctlyRoundedPow(3.0, e) * kLfoCentre * kTablePeriod * kCycleEntries);
        }
    }
};

// Made by the first instance; the language makes that safe when hosts make
// instances on several threads at once.
const Tables& libraryTables() {
    static const Tables tables;
    return tables;
}

} // namespace

void Engine::fillTables() {
    const Tables& tables = libraryTables();
    std::memcpy(toneOsc.sineTable, tables.sine, sizeof tables.sine);
    std::memcpy(lfoOsc.sineTable, tables.sine, sizeof tables.sine);
    std::memcpy(toneOsc.incrementTable, tables.toneIncrement, sizeof tables.toneIncrement);
    std::memcpy(lfoOsc.incrementTable, tables.lfoIncrement, sizeof tables.lfoIncrement);
}
