// The fast path: the law and the sections of the plain path
// (engine/plain_samples.cpp), on the same block, giving the same bits. Each
// shortcut is exact:
//
// - A pair of axes that the real law steps back onto its own starting point
//   (target, positions, velocities, bit for bit), for every source value it
//   can read this block, stays on it for the whole block: every sample sees
//   the same state and the same inputs (the fields other threads write are
//   read once per block, the coefficients are the block's). Such a pair is
//   stepped once at the start, which also gives its constant output, and
//   once at the end with the source value the last sample read, which gives
//   the per-sample results (accelerations, modulator target) the last sample
//   would have left. A pair moves or rests as a whole: stepping a resting
//   axis beside a moving one changes nothing.
// - A lane that reads the LFO with amount 0.5 reads the square wave's sign
//   instead of its value: the product with +0.0 keeps only the sign
//   (engine/axis_lanes.h, PairSources). The sign comes from a branch the
//   processor predicts, so such lanes (all of them, by default) do not wait
//   every sample for the LFO, which waits for the LX axis.
// - One loop per set of moving pairs, chosen per block, so a resting pair
//   costs nothing per sample and its outputs are constants in registers.
// - The moving axes run one sample ahead: those of sample n + 1 are stepped
//   before the tone and the delay of sample n, which use sample n's outputs,
//   saved first. The axes of sample n + 1 read the LFO of sample n, which
//   comes first, so every value is computed by the same operations from the
//   same inputs, only in another order. The axes' serial chain (three
//   roundings per spring) no longer waits behind the sections of the sample
//   before, and the processor overlaps the two.
// - The axes, the sections' moving values and the LFO value are locals that
//   live in registers for the block. The samples go through a buffer on the
//   stack that is copied out in pieces: the host's channels may lie 4 KiB
//   apart and collide in the cache, and the compiler cannot know that a store
//   into them leaves the engine's tables alone.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/axis_lanes.h"
#include "engine/block_context.h"

namespace {

constexpr int kBufferFrames = 64;

void splitOutputs(const DoublePair& out, float& low, float& high) {
    low = static_cast<float>(out.low());
    high = static_cast<float>(out.high());
}

// What the block's last sample read of the LFO.
struct LfoRead {
    double value;
    double square;
};

template <bool MovesM, bool MovesF, bool MovesL>
LfoRead playSamples(BlockContext& block, AxisLanes& lanes, float* left, float* right, std::int32_t frames) {
    AxisMotion<DoublePair> m = lanes.pair(0);
    AxisMotion<DoublePair> f = lanes.pair(1);
    AxisMotion<DoublePair> l = lanes.pair(2);
    const PairSources mSources = lanes.sources(0);
    const PairSources fSources = lanes.sources(1);
    const PairSources lSources = lanes.sources(2);
    float outMX, outMY, outFX, outFY, outLY, outLX;
    splitOutputs(m.out, outMX, outMY);
    splitOutputs(f.out, outFX, outFY);
    splitOutputs(l.out, outLY, outLX);
    OscillatorMotion tone = block.tone;
    OscillatorMotion lfoMotion = block.lfo;
    DelayMotion delay = block.delay;
    const TableOscillator& toneTables = *block.toneTables;
    const TableOscillator& lfoTables = *block.lfoTables;
    float* const memory = block.delayMemory;
    const double halfRate = block.halfRate;
    const DoublePair inv(static_cast<double>(block.invSampleRate));
    // A resting pair's outputs, and so the increments they select, hold all block.
    float toneIncrement = incrementFor(toneTables, outMY);
    float lfoIncrement = incrementFor(lfoTables, outLY);
    double lfo = block.sourceBank[kLfoSourceSlot];
    double square = std::signbit(lfo) ? -1.0 : 1.0;
    LfoRead read{lfo, square};

    // Steps the moving pairs for the next sample, reading `read`.
    const auto stepMoving = [&] {
        if (MovesM) {
            stepAxis(m, mSources.with(read.value, read.square), inv);
            splitOutputs(m.out, outMX, outMY);
            toneIncrement = incrementFor(toneTables, outMY);
        }
        if (MovesF) {
            stepAxis(f, fSources.with(read.value, read.square), inv);
            splitOutputs(f.out, outFX, outFY);
        }
        if (MovesL) {
            stepAxis(l, lSources.with(read.value, read.square), inv);
            splitOutputs(l.out, outLY, outLX);
            lfoIncrement = incrementFor(lfoTables, outLY);
        }
    };
    // All six axes read the LFO value of the previous sample.
    stepMoving();

    float buffer[kBufferFrames];
    for (std::int32_t start = 0; start < frames; start += kBufferFrames) {
        const std::int32_t count = std::min(frames - start, kBufferFrames);
        for (std::int32_t i = 0; i < count; ++i) {
            const float levelOut = outMX;
            const float timeOut = outFY;
            const float feedbackOut = outFX;
            const float sampleToneIncrement = toneIncrement;
            square = squareAt(lfoMotion, lfoTables, lfoIncrement);
            lfo = lfoValue(square, outLX);
            if (start + i + 1 < frames) {
                read = {lfo, square};
                stepMoving();
            }
            const double toneValue = toneAt(tone, toneTables, sampleToneIncrement, levelOut);
            const auto sample = static_cast<float>(stepDelay(delay, memory, toneValue, timeOut, feedbackOut, halfRate));
            buffer[i] = std::isfinite(sample) ? sample : 0.0f;
        }
        const auto bytes = static_cast<std::size_t>(count) * sizeof(float);
        if (left != nullptr) {
            std::memcpy(left + start, buffer, bytes);
        }
        if (right != nullptr) {
            std::memcpy(right + start, buffer, bytes);
        }
    }

    if (MovesM) {
        lanes.pair(0) = m;
    }
    if (MovesF) {
        lanes.pair(1) = f;
    }
    if (MovesL) {
        lanes.pair(2) = l;
    }
    block.tone = tone;
    block.lfo = lfoMotion;
    block.delay = delay;
    block.sourceBank[kLfoSourceSlot] = static_cast<float>(lfo);
    return read;
}

using SampleLoop = LfoRead (*)(BlockContext&, AxisLanes&, float*, float*, std::int32_t);

// Indexed by the moving pairs: M 1, F 2, L 4.
constexpr SampleLoop kSampleLoops[8] = {
    playSamples<false, false, false>, playSamples<true, false, false>, playSamples<false, true, false>,
    playSamples<true, true, false>,   playSamples<false, false, true>, playSamples<true, false, true>,
    playSamples<false, true, true>,   playSamples<true, true, true>,
};

} // namespace

void playFast(BlockContext& block, float* left, float* right, std::int32_t frames) {
    AxisLanes lanes;
    lanes.load(block.axes, block.sourceBank);
    if (frames > 0) {
        const auto invSampleRate = static_cast<double>(block.invSampleRate);
        bool rests[AxisLanes::kPairs];
        int moving = 0;
        for (int p = 0; p < AxisLanes::kPairs; ++p) {
            rests[p] = lanes.restPair(p, invSampleRate);
            moving |= rests[p] ? 0 : 1 << p;
        }
        const LfoRead last = kSampleLoops[moving](block, lanes, left, right, frames);
        const DoublePair inv(invSampleRate);
        for (int p = 0; p < AxisLanes::kPairs; ++p) {
            if (rests[p]) {
                stepAxis(lanes.pair(p), lanes.sources(p).with(last.value, last.square), inv);
            }
        }
    }
    lanes.store();
}
