// Quorvane's plug-in class: a sine tone, a square LFO and a feedback delay,
// each steered by two spring-driven axes.
#pragma once

#include "shell/audioeffectx.h"

class ADelay : public AudioEffectX {
public:
    explicit ADelay(audioMasterCallback audioMaster);

    void process(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void suspend() override {}
    void resume() override;
};
