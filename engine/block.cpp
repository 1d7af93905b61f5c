#include "plugin/adelay.h"

// Silence until the engine exists.
void ADelay::processReplacing(float** /*inputs*/, float** outputs, VstInt32 sampleFrames) {
    if (outputs == nullptr) {
        return;
    }
    for (int channel = 0; channel < 2; ++channel) {
        float* out = outputs[channel];
        for (VstInt32 i = 0; out != nullptr && i < sampleFrames; ++i) {
            out[i] = 0.0f;
        }
    }
}
