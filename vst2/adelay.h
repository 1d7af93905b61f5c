// Quorvane as a VST 2 plug-in: the engine behind the interface's calls. The
// class talks to the host (parameters, programs, events, pins,
// capabilities); everything that makes sound is the engine's.
#pragma once

#include "engine/engine.h"
#include "vst2/audioeffectx.h"

class ADelay : public AudioEffectX {
public:
    explicit ADelay(audioMasterCallback audioMaster);
    ~ADelay() override = default;

    // Parameters (vst2/parameter_access.cpp).
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    void getParameterLabel(VstInt32 index, char* label) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void getParameterName(VstInt32 index, char* text) override;

    // Audio (vst2/audio.cpp).
    void process(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;

    // Programs, pins and capabilities (vst2/programs.cpp).
    void setProgram(VstInt32 /*program*/) override {}
    void getProgramName(char* name) override;
    bool getOutputProperties(VstInt32 index, VstPinProperties* properties) override;
    VstInt32 canDo(char* text) override;
    void suspend() override {}
    void resume() override;

#if !defined(_WIN32)
    // A picture of the editor for hosts without a window system
    // (vst2/editor_picture_request.cpp). It paints the editor, so it belongs
    // to the GUI thread like every editor call. The Windows library draws
    // with GDI into the host's window and answers the request with the base's 0.
    VstIntPtr vendorSpecific(VstInt32 request, VstIntPtr size, void* buffer, float unused) override;
#endif

    // MIDI (vst2/events.cpp).
    VstInt32 processEvents(VstEvents* events) override;

    // Takes the parameters into the engine's axis records.
    virtual void updateAxes();

    Engine engine;
};
