// What a block's samples work on: the six axes in their records, the source
// bank, and the sections' moving values taken out of the engine into locals.
// The block frame (engine/block.cpp) fills it and puts it back; a sample
// player runs the samples in between.
#pragma once

#include <cstdint>

#include "engine/axis_orders.h"
#include "engine/block_axis.h"
#include "engine/sound_sections.h"

class RestingPairMemo;

constexpr int kAxisPairs = kNumAxes / 2;

struct BlockContext {
    AxisRecord* axes[kNumAxes]; // in motion order
    float sourceBank[kSourceBankSlots];
    const TableOscillator* toneTables;
    const TableOscillator* lfoTables;
    float* delayMemory;
    OscillatorMotion tone;
    OscillatorMotion lfo;
    DelayMotion delay;
    float invSampleRate;
    double halfRate; // host sample rate × 0.5, for the delay time
    // The fast path's memos of pairs at rest (engine/resting_pair_memo.h),
    // null on the plain path; for each pair, whether its memo holds this
    // block (it was not settled), else whether settling changed nothing.
    RestingPairMemo* restingPairs;
    bool restsAsRemembered[kAxisPairs];
    bool settledUnchanged[kAxisPairs];
};

// Every sample, one axis at a time, exactly as the law is written.
void playPlain(BlockContext& block, float* left, float* right, std::int32_t frames);

// The same samples, skipping what a block start already decides
// (engine/fast_samples.cpp says how, and why the bits stay the same).
void playFast(BlockContext& block, float* left, float* right, std::int32_t frames);
