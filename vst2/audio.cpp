// Audio blocks: the host's two output channels filled by the engine.
#include "vst2/adelay.h"

void ADelay::processReplacing(float** /*inputs*/, float** outputs, VstInt32 sampleFrames) {
    if (engine.paramsDirty) {
        updateAxes();
    }
    float* left = outputs != nullptr ? outputs[0] : nullptr;
    float* right = outputs != nullptr ? outputs[1] : nullptr;
    // Read once: a rate the dispatcher changes meanwhile counts from the next block.
    engine.render(sampleRate.load(), left, right, sampleFrames);
}

// Replaces, never accumulates: a host that calls process gets the same output.
void ADelay::process(float** inputs, float** outputs, VstInt32 sampleFrames) {
    processReplacing(inputs, outputs, sampleFrames);
}
