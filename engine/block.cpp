// The block frame: refresh, coefficients, then every sample the six axes, the
// tone, the LFO and the delay, then the targets back into the parameters.
#include <cmath>

#include "engine/axis_lanes.h"
#include "engine/axis_motion.h"
#include "engine/engine.h"
#include "engine/sound_sections.h"
#include "engine/sse_defaults.h"

void Engine::render(float sampleRate, float* left, float* right, std::int32_t frames) {
    const SseDefaults sseDefaults;
    // Rates below 1 Hz (0, negative, NaN: hosts have sent them) would drive
    // the springs away without bound; the axes hold still instead.
    const float invSampleRate = sampleRate >= 1.0f ? 1.0f / sampleRate : 0.0f;
    if (paramsDirty) {
        updateAxes();
    }

    AxisRecord* const ordered[kNumAxes] = {&axes[kMotionOrder[0]], &axes[kMotionOrder[1]], &axes[kMotionOrder[2]],
                                           &axes[kMotionOrder[3]], &axes[kMotionOrder[4]], &axes[kMotionOrder[5]]};
    for (int lane = 0; lane < kNumAxes; ++lane) {
        updateCoefficients(*ordered[lane], coefficientMemos[kMotionOrder[lane]]);
    }

    static_assert(kSourceBankSlots == kNumModSources + 1, "the bank plus the silent slot");
    float sourceBank[kSourceBankSlots] = {};
    for (int slot = 0; slot < kNumModSources; ++slot) {
        sourceBank[slot] = modSources[slot];
    }
    AxisLanes lanes;
    lanes.load(ordered, sourceBank);
    const double halfRate = static_cast<double>(sampleRate) * 0.5;
    for (std::int32_t i = 0; i < frames; ++i) {
        // All six axes read the LFO value of the previous sample.
        lanes.step(invSampleRate);
        const double tone = stepTone(toneOsc, lanes.out(kLaneMY), lanes.out(kLaneMX));
        sourceBank[kLfoSourceSlot] = stepLfo(lfoOsc, lanes.out(kLaneLY), lanes.out(kLaneLX));
        const auto sample =
            static_cast<float>(stepDelay(delay, tone, lanes.out(kLaneFY), lanes.out(kLaneFX), halfRate));
        const float safeSample = std::isfinite(sample) ? sample : 0.0f;
        if (left != nullptr) {
            left[i] = safeSample;
        }
        if (right != nullptr) {
            right[i] = safeSample;
        }
    }
    lanes.store();
    modSources[kLfoSourceSlot] = sourceBank[kLfoSourceSlot];

    for (const AxisBinding& binding : kParameterOrder) {
        params[binding.firstParameter] = axes[binding.axis].target.load();
    }
}
