// The reference: every sample, the six axes one at a time in motion order,
// then the tone, the LFO and the delay, each in the precision the law gives.
// Nothing is skipped and nothing is decided ahead; the fast path must give
// the same bits.
#include <cmath>

#include "engine/block_context.h"

void playPlain(BlockContext& block, float* left, float* right, std::int32_t frames) {
    BlockAxis axes[kNumAxes];
    for (int lane = 0; lane < kNumAxes; ++lane) {
        axes[lane] = takeAxis(*block.axes[lane]);
    }
    const auto invSampleRate = static_cast<double>(block.invSampleRate);
    for (std::int32_t i = 0; i < frames; ++i) {
        // All six axes read the LFO value of the previous sample.
        float out[kNumAxes];
        for (int lane = 0; lane < kNumAxes; ++lane) {
            AxisMotion<double>& axis = axes[lane].motion;
            stepAxis(axis, static_cast<double>(block.sourceBank[axes[lane].sourceSlot]), invSampleRate);
            out[lane] = static_cast<float>(axis.out);
        }
        const double tone = stepTone(block.tone, *block.toneTables, out[kLaneMY], out[kLaneMX]);
        block.sourceBank[kLfoSourceSlot] = stepLfo(block.lfo, *block.lfoTables, out[kLaneLY], out[kLaneLX]);
        const auto sample = static_cast<float>(
            stepDelay(block.delay, block.delayMemory, tone, out[kLaneFY], out[kLaneFX], block.halfRate));
        const float safeSample = std::isfinite(sample) ? sample : 0.0f;
        if (left != nullptr) {
            left[i] = safeSample;
        }
        if (right != nullptr) {
            right[i] = safeSample;
        }
    }
    for (int lane = 0; lane < kNumAxes; ++lane) {
        putAxis(axes[lane], *block.axes[lane]);
    }
}
