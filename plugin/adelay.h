// Quorvane's plug-in class: a sine tone, a square LFO and a feedback delay,
// each steered by two spring-driven axes.
//
// The class has two rooms. plugin/ talks to the host: parameters, programs,
// events, pins, capabilities. engine/ makes the sound: tables, axes, the
// three sections and the block frame.
#pragma once

#include "engine/axis_record.h"
#include "engine/coefficient_memo.h"
#include "engine/feedback_delay.h"
#include "engine/shared_value.h"
#include "engine/table_oscillator.h"
#include "plugin/held_notes.h"
#include "plugin/parameters.h"
#include "shell/audioeffectx.h"

constexpr int kNumModifiers = 6;
constexpr int kNumModSources = 11;
constexpr int kLfoSourceSlot = 6;

class ADelay : public AudioEffectX {
public:
    explicit ADelay(audioMasterCallback audioMaster);
    ~ADelay() override = default;

    // Parameters (plugin/parameter_access.cpp).
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    void getParameterLabel(VstInt32 index, char* label) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void getParameterName(VstInt32 index, char* text) override;

    // Audio (engine/block.cpp).
    void process(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;

    // Programs, pins and capabilities (plugin/programs.cpp).
    void setProgram(VstInt32 /*program*/) override {}
    void getProgramName(char* name) override;
    bool getOutputProperties(VstInt32 index, VstPinProperties* properties) override;
    VstInt32 canDo(char* text) override;
    void suspend() override {}
    void resume() override;

#if !defined(_WIN32)
    // A picture of the editor for hosts without a window system
    // (plugin/editor_picture_request.cpp). The Windows library draws with
    // GDI into the host's window and answers the request with the base's 0.
    VstIntPtr vendorSpecific(VstInt32 request, VstIntPtr size, void* buffer, float unused) override;
#endif

    // MIDI (plugin/events.cpp).
    VstInt32 processEvents(VstEvents* events) override;

    // Takes the parameters into the axis records (engine/axis_update.cpp).
    virtual void updateAxes();

    // Engine state, in this order. The editor and the MIDI handling write a
    // few fields directly; those are SharedValues.
    AxisRecord axes[kNumAxes];
    float modifiers[kNumModifiers];
    SharedValue<float> params[NumParams];
    float modSources[kNumModSources];
    SharedValue<bool> paramsDirty;
    TableOscillator toneOsc;
    TableOscillator lfoOsc;
    FeedbackDelay delay;
    HeldNotes heldNotes;
    AxisCoefficientMemo coefficientMemos[kNumAxes];

private:
    void fillTables();
};
