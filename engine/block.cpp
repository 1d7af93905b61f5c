// The block frame: refresh, coefficients, then every sample the six axes, the
// tone, the LFO and the delay, then the targets back into the parameters.
#include <cmath>

#include "engine/axis_layout.h"
#include "engine/axis_motion.h"
#include "engine/sound_sections.h"
#include "engine/sse_defaults.h"
#include "plugin/adelay.h"

void ADelay::processReplacing(float** /*inputs*/, float** outputs, VstInt32 sampleFrames) {
    const SseDefaults sseDefaults;
    // Rates below 1 Hz (0, negative, NaN: hosts have sent them) would drive
    // the springs away without bound; the axes hold still instead.
    const float invSampleRate = sampleRate >= 1.0f ? 1.0f / sampleRate : 0.0f;
    if (paramsDirty) {
        updateAxes();
    }
    float* left = outputs != nullptr ? outputs[0] : nullptr;
    float* right = outputs != nullptr ? outputs[1] : nullptr;

    for (AxisIndex a : kMotionOrder) {
        updateCoefficients(axes[a]);
        resetNonFinite(axes[a]);
    }

    for (VstInt32 i = 0; i < sampleFrames; ++i) {
        // All six axes read the LFO value of the previous sample.
        for (AxisIndex a : kMotionOrder) {
            stepAxis(axes[a], modSources, kNumModSources, invSampleRate);
        }
        const double tone = stepTone(toneOsc, axes[kAxisMY].out, axes[kAxisMX].out);
        modSources[kLfoSourceSlot] = stepLfo(lfoOsc, axes[kAxisLY].out, axes[kAxisLX].out);
        const auto sample =
            static_cast<float>(stepDelay(delay, tone, axes[kAxisFY].out, axes[kAxisFX].out, sampleRate));
        const float safeSample = std::isfinite(sample) ? sample : 0.0f;
        if (left != nullptr) {
            left[i] = safeSample;
        }
        if (right != nullptr) {
            right[i] = safeSample;
        }
    }

    // A spring driven past the float range within the block leaves nothing
    // behind; the parameters then show where each target stands.
    for (const AxisBinding& binding : kAxisBindings) {
        resetNonFinite(axes[binding.axis]);
        params[binding.firstParameter] = axes[binding.axis].target.load();
    }
}

// Replaces, never accumulates: a host that calls process gets the same output.
void ADelay::process(float** inputs, float** outputs, VstInt32 sampleFrames) {
    processReplacing(inputs, outputs, sampleFrames);
}
