// The block frame: refresh, coefficients, the samples, then the targets back
// into the parameters. The fast and the plain path share it, so they take
// and give back the engine's state in the same way.
#include "engine/axis_motion.h"
#include "engine/block_context.h"
#include "engine/engine.h"
#include "engine/resting_pair_memo.h"
#include "engine/sse_engine_state.h"

void Engine::render(float sampleRate, float* left, float* right, std::int32_t frames) {
    renderBlock(sampleRate, left, right, frames, playFast, Recompute::WhenInputsChange);
}

void Engine::renderPlain(float sampleRate, float* left, float* right, std::int32_t frames) {
    renderBlock(sampleRate, left, right, frames, playPlain, Recompute::EveryBlock);
}

void Engine::renderBlock(float sampleRate, float* left, float* right, std::int32_t frames, SamplePlayer play,
                         Recompute recompute) {
    const SseEngineState engineState;
    BlockContext block;
    // Rates below 1 Hz (0, negative, NaN: hosts have sent them) would drive
    // the springs away without bound; the axes hold still instead.
    block.invSampleRate = sampleRate >= 1.0f ? 1.0f / sampleRate : 0.0f;
    block.halfRate = static_cast<double>(sampleRate) * 0.5;
    if (paramsDirty) {
        updateAxes();
    }
    // The records' damping, stiffness and glide coefficients are memo(input)
    // of overshoot, rate and static rate, which after construction only
    // updateAxes writes (it marks them stale): while it has not run since
    // they were last worked out, working them out again stores the same bits.
    const bool updateSprings = recompute == Recompute::EveryBlock || !coefficientsCurrent;
    coefficientsCurrent = true;

    // Unrolled, every record and memo lies at a fixed offset, which spares
    // a short block a few hundred instructions of address arithmetic.
#pragma GCC unroll 6
    for (int lane = 0; lane < kNumAxes; ++lane) {
        block.axes[lane] = &axes[kMotionOrder[lane]];
        if (updateSprings) {
            updateSpringCoefficients(*block.axes[lane], coefficientMemos[kMotionOrder[lane]]);
        }
    }
    // updateAxes has run: the static positions, coefficients and sources
    // the pairs at rest were remembered with may have changed.
    if (updateSprings) {
        for (RestingPairMemo& memo : restingPairs) {
            memo.forget();
        }
    }
    for (int slot = 0; slot < kNumModSources; ++slot) {
        block.sourceBank[slot] = modSources[slot];
    }
    block.sourceBank[kSilentSourceSlot] = 0.0f;
    // A block of no samples finds no pair at rest and remembers none.
    block.restingPairs = recompute == Recompute::WhenInputsChange && frames > 0 ? restingPairs : nullptr;
    for (int p = 0; p < kAxisPairs; ++p) {
        AxisRecord& low = *block.axes[2 * p];
        AxisRecord& high = *block.axes[2 * p + 1];
        block.restsAsRemembered[p] =
            block.restingPairs != nullptr && restingPairs[p].holds(low, high, block.sourceBank);
        if (!block.restsAsRemembered[p]) {
            const bool lowChanged = settleAtBlockStart(low);
            const bool highChanged = settleAtBlockStart(high);
            block.settledUnchanged[p] = !lowChanged && !highChanged;
        }
    }
    block.toneTables = &toneOsc;
    block.lfoTables = &lfoOsc;
    block.delayMemory = delay.buffer;
    block.tone = {toneOsc.phase, toneOsc.increment};
    block.lfo = {lfoOsc.phase, lfoOsc.increment};
    block.delay = {delay.feedback, delay.wetGain, delay.writePos, delay.readPos};

    play(block, left, right, frames);

    modSources[kLfoSourceSlot] = block.sourceBank[kLfoSourceSlot];
    toneOsc.phase = block.tone.phase;
    toneOsc.increment = block.tone.increment;
    lfoOsc.phase = block.lfo.phase;
    lfoOsc.increment = block.lfo.increment;
    delay.feedback = block.delay.feedback;
    delay.wetGain = block.delay.wetGain;
    delay.writePos = block.delay.writePos;
    delay.readPos = block.delay.readPos;
    for (const AxisBinding& binding : kParameterOrder) {
        params[binding.firstParameter] = axes[binding.axis].target.load();
    }
}
