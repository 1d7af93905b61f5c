// The fast path: the law and the sections of the plain path
// (engine/plain_samples.cpp), on the same block, giving the same bits. Each
// shortcut is exact:
//
// - An axis's sample has two halves that touch disjoint state: the position
//   (target and spring) and the modulation (modulator 0's target and
//   spring); the output only adds up what they hold (engine/axis_step.h).
//   A half of a pair that the real law steps back onto its own starting
//   point (bit for bit), for every source value it can read this block,
//   stays on it for the whole block: every sample sees the same state and
//   the same inputs (the fields other threads write are read once per
//   block, the coefficients are the block's). Such a half is not stepped in
//   the loop. Its per-sample results (accelerations, modulator target) are
//   those the last sample would have left: for the position, which reads
//   no source, the trial step's at the start; for the modulation, one more
//   step at the end with the source value the last sample read. A pair
//   whose halves both rest has one output all block, the sum of its
//   unchanging positions. Halves move or rest for both lanes of a pair:
//   stepping a resting lane beside a moving one changes nothing.
// - A pair that rested through the last block with nothing changed since
//   rests through this one alike: its block start is skipped and its
//   results come from a memo (engine/resting_pair_memo.h says why that is
//   exact). The loop reads only its output.
// - A lane that reads the LFO with amount 0.5 reads the square wave's sign
//   instead of its value: the product with +0.0 keeps only the sign
//   (engine/axis_lanes.h, PairSources). The sign comes from a branch the
//   processor predicts, so such lanes (all of them, by default) do not wait
//   every sample for the LFO, which waits for the LX axis.
// - While the L pair rests, the LFO takes one of two values after the
//   square wave's sign, and so does every modulation target: both are
//   worked out once per block by the same law (see playSamples).
// - One loop per set of moving halves, chosen per block, so a resting half
//   costs nothing per sample and a resting pair's outputs are constants in
//   registers.
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
#include <array>
#include <cmath>
#include <cstring>
#include <utility>

#include "engine/axis_lanes.h"
#include "engine/block_context.h"
#include "engine/resting_pair_memo.h"

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

// What of a pair moves this block: a bit for each half (engine/axis_step.h).
constexpr int kPositionMoves = 1;
constexpr int kModulationMoves = 2;
constexpr int kHalvesPerPair = 2;

// One sample of a pair whose moving halves are Moves, its modulators
// heading for modTarget; a resting half keeps its state, and the output adds
// up whatever the halves hold.
template <int Moves> void stepMovingHalves(AxisMotion<DoublePair>& pair, DoublePair modTarget, DoublePair inv) {
    if (Moves & kPositionMoves) {
        stepPosition(pair, inv);
    }
    if (Moves & kModulationMoves) {
        followModulation(pair, modTarget, inv);
    }
    mixOutput(pair);
}

// A pair's modulation targets for the two signs of the square wave, while
// the LFO's depth holds (depthOut, the LX output).
struct SignedTargets {
    DoublePair high;
    DoublePair low;
};

SignedTargets signedTargets(const AxisMotion<DoublePair>& pair, const PairSources& sources, float depthOut) {
    return {modulationTarget(pair, sources.with(lfoValue(1.0, depthOut), 1.0)),
            modulationTarget(pair, sources.with(lfoValue(-1.0, depthOut), -1.0))};
}

// What the loop takes of a pair: everything when it moves, else its output
// alone (a pair kept at rest holds no more: AxisLanes::keepAtRest).
template <int Moves> AxisMotion<DoublePair> pairInLoop(AxisLanes& lanes, int p) {
    if (Moves != 0) {
        return lanes.pair(p);
    }
    AxisMotion<DoublePair> outputOnly = AxisMotion<DoublePair>();
    outputOnly.out = lanes.pair(p).out;
    return outputOnly;
}

// Back into the lanes: the state of the halves that moved, and the output.
template <int Moves> void putBackMoved(AxisMotion<DoublePair>& pair, const AxisMotion<DoublePair>& moved) {
    if (Moves & kPositionMoves) {
        pair.target = moved.target;
        pair.spring = moved.spring;
    }
    if (Moves & kModulationMoves) {
        pair.modTarget = moved.modTarget;
        pair.modulator = moved.modulator;
    }
    pair.out = moved.out;
}

template <int Moves> PairSources sourcesInLoop(const AxisLanes& lanes, int p) {
    return Moves != 0 ? lanes.sources(p) : PairSources();
}

// Flattened: GCC would leave a pair's step out of line when all three
// pairs move, and a pair's values would go through memory every sample.
template <int MovesM, int MovesF, int MovesL>
[[gnu::flatten]] LfoRead playSamples(BlockContext& block, AxisLanes& lanes, float* left, float* right,
                                     std::int32_t frames) {
    AxisMotion<DoublePair> m = pairInLoop<MovesM>(lanes, 0);
    AxisMotion<DoublePair> f = pairInLoop<MovesF>(lanes, 1);
    AxisMotion<DoublePair> l = pairInLoop<MovesL>(lanes, 2);
    const PairSources mSources = sourcesInLoop<MovesM>(lanes, 0);
    const PairSources fSources = sourcesInLoop<MovesF>(lanes, 1);
    const PairSources lSources = sourcesInLoop<MovesL>(lanes, 2);
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

    // While the L pair rests, the LFO's depth holds, and every value the
    // LFO takes in the loop is lfoValue of the square wave's sign: so is
    // every modulation target, worked out for both signs once, by the same
    // law from the same values. The block's first sample reads the value the
    // previous block left, which may have another depth, and goes the long way.
    const SignedTargets mSigned = signedTargets(m, mSources, outLX);
    const SignedTargets fSigned = signedTargets(f, fSources, outLX);
    const SignedTargets lSigned = signedTargets(l, lSources, outLX);
    // Steps the moving pairs for the next sample, reading `read`;
    // targetOf(pair, sources, signed) gives a pair's modulation target.
    const auto stepMoving = [&](auto targetOf) {
        if (MovesM) {
            stepMovingHalves<MovesM>(m, targetOf(m, mSources, mSigned), inv);
            splitOutputs(m.out, outMX, outMY);
            toneIncrement = incrementFor(toneTables, outMY);
        }
        if (MovesF) {
            stepMovingHalves<MovesF>(f, targetOf(f, fSources, fSigned), inv);
            splitOutputs(f.out, outFX, outFY);
        }
        if (MovesL) {
            stepMovingHalves<MovesL>(l, targetOf(l, lSources, lSigned), inv);
            splitOutputs(l.out, outLY, outLX);
            lfoIncrement = incrementFor(lfoTables, outLY);
        }
    };
    const auto targetRead = [&](const AxisMotion<DoublePair>& pair, const PairSources& sources, const SignedTargets&) {
        return modulationTarget(pair, sources.with(read.value, read.square));
    };
    const auto targetPicked = [&](const AxisMotion<DoublePair>& pair, const PairSources& sources,
                                  const SignedTargets& signedTarget) {
        if (MovesL) {
            return targetRead(pair, sources, signedTarget);
        }
        return read.square > 0.0 ? signedTarget.high : signedTarget.low;
    };
    // All six axes read the LFO value of the previous sample.
    stepMoving(targetRead);

    float buffer[kBufferFrames];
    for (std::int32_t start = 0; start < frames; start += kBufferFrames) {
        const std::int32_t count = std::min(frames - start, kBufferFrames);
        for (std::int32_t i = 0; i < count; ++i) {
            // This sample's outputs, kept before the axes move on to the next.
            const float levelOut = outMX;
            const float timeOut = outFY;
            const float feedbackOut = outFX;
            const float sampleToneIncrement = toneIncrement;
            square = squareAt(lfoMotion, lfoTables, lfoIncrement);
            lfo = lfoValue(square, outLX);
            if (start + i + 1 < frames) {
                read = {lfo, square};
                stepMoving(targetPicked);
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
        putBackMoved<MovesM>(lanes.pair(0), m);
    }
    if (MovesF) {
        putBackMoved<MovesF>(lanes.pair(1), f);
    }
    if (MovesL) {
        putBackMoved<MovesL>(lanes.pair(2), l);
    }
    block.tone = tone;
    block.lfo = lfoMotion;
    block.delay = delay;
    block.sourceBank[kLfoSourceSlot] = static_cast<float>(lfo);
    return read;
}

using SampleLoop = LfoRead (*)(BlockContext&, AxisLanes&, float*, float*, std::int32_t);

// Indexed by the moving halves: two bits for M, then F, then L.
constexpr int kMotions = 1 << (kHalvesPerPair * AxisLanes::kPairs);

template <int Moving> constexpr SampleLoop kLoopFor = playSamples<Moving & 3, (Moving >> 2) & 3, (Moving >> 4) & 3>;

template <int... Moving> constexpr std::array<SampleLoop, kMotions> loopsFor(std::integer_sequence<int, Moving...>) {
    return {kLoopFor<Moving>...};
}

constexpr std::array<SampleLoop, kMotions> kSampleLoops = loopsFor(std::make_integer_sequence<int, kMotions>());

} // namespace

void playFast(BlockContext& block, float* left, float* right, std::int32_t frames) {
    AxisLanes lanes;
    lanes.attach(block.axes, block.sourceBank);
    for (int p = 0; p < AxisLanes::kPairs; ++p) {
        if (block.restsAsRemembered[p]) {
            lanes.keepAtRest(p, block.restingPairs[p].output());
        } else {
            lanes.loadPair(p);
        }
    }
    if (frames > 0) {
        const auto invSampleRate = static_cast<double>(block.invSampleRate);
        AxisLanes::RestingHalves rests[AxisLanes::kPairs];
        int moving = 0;
        for (int p = 0; p < AxisLanes::kPairs; ++p) {
            if (block.restsAsRemembered[p]) {
                rests[p] = {true, true};
            } else {
                rests[p] = lanes.restingHalves(p, invSampleRate);
                if (rests[p].position && rests[p].modulation && block.settledUnchanged[p] &&
                    block.restingPairs != nullptr) {
                    block.restingPairs[p].remember(lanes, p, block.invSampleRate);
                }
            }
            const int moves = (rests[p].position ? 0 : kPositionMoves) | (rests[p].modulation ? 0 : kModulationMoves);
            moving |= moves << (kHalvesPerPair * p);
        }
        const LfoRead last = kSampleLoops[static_cast<std::size_t>(moving)](block, lanes, left, right, frames);
        // A resting modulation stepped once more gives the results the last
        // sample would have left; its state does not change.
        const DoublePair inv(invSampleRate);
        for (int p = 0; p < AxisLanes::kPairs; ++p) {
            if (block.restsAsRemembered[p]) {
                lanes.putKeptResults(p, block.restingPairs[p].resultsAfter(last.square));
            } else if (rests[p].modulation) {
                stepModulation(lanes.pair(p), lanes.sources(p).with(last.value, last.square), inv);
            }
        }
    }
    lanes.store();
}
