// A phase that steps through a sine table by an amount looked up from an
// axis value. The tone and the LFO are two of these with different tables.
#pragma once

constexpr int kSineTableSize = 13000;
constexpr int kIncrementTableSize = 32000;
// The phase wraps after this many table entries: about 0.59 entries short of
// a whole sine period, which is part of the instrument's sound.
constexpr double kPhaseCycle = 3141.0;

struct TableOscillator {
    float phase;     // in sine-table entries, 0 to 3141
    float increment; // entries per sample, latest sample
    float sineTable[kSineTableSize];
    float incrementTable[kIncrementTableSize];
};
