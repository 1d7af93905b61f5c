// The host-facing base of every plug-in: fills the descriptor, routes
// opcodes 0 to 24 to virtual operations and wraps the basic host calls.
#pragma once

#include "aeffeditor.h"
#include "engine/shared_value.h"
#include "vst2.h"

class AudioEffect {
public:
    AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
    virtual ~AudioEffect();

    // Parameters and audio.
    virtual void setParameter(VstInt32 /*index*/, float /*value*/) {}
    virtual float getParameter(VstInt32 /*index*/) { return 0.0f; }
    virtual void setParameterAutomated(VstInt32 index, float value);
    virtual void process(float** inputs, float** outputs, VstInt32 sampleFrames) = 0;
    virtual void processReplacing(float** /*inputs*/, float** /*outputs*/, VstInt32 /*sampleFrames*/) {}

    virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

    // Host-to-plug-in hooks.
    virtual void open() {}
    virtual void close() {}
    virtual VstInt32 getProgram() { return curProgram; }
    virtual void setProgram(VstInt32 program) { curProgram = program; }
    virtual void setProgramName(char* name) { *name = 0; }
    virtual void getProgramName(char* name) { *name = 0; }
    virtual void getParameterLabel(VstInt32 index, char* label);
    virtual void getParameterDisplay(VstInt32 index, char* text);
    virtual void getParameterName(VstInt32 index, char* text);
    virtual float getVu() { return 0.0f; }
    virtual VstInt32 getChunk(void** data, bool isPreset);
    virtual VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset);
    virtual void setSampleRate(float newSampleRate) { sampleRate = newSampleRate; }
    virtual void setBlockSize(VstInt32 newBlockSize) { blockSize = newBlockSize; }
    virtual void suspend() {}
    virtual void resume() {}

    // Descriptor setup; each writes one field or one flag and tells nobody.
    virtual void setUniqueID(VstInt32 id) { cEffect.uniqueID = id; }
    virtual void setNumInputs(VstInt32 inputs) { cEffect.numInputs = inputs; }
    virtual void setNumOutputs(VstInt32 outputs) { cEffect.numOutputs = outputs; }
    virtual void hasVu(bool state) { setFlag(effFlagsHasVu, state); }
    virtual void hasClip(bool state) { setFlag(effFlagsHasClip, state); }
    virtual void canMono(bool state) { setFlag(effFlagsCanMono, state); }
    virtual void canProcessReplacing(bool state) { setFlag(effFlagsCanReplacing, state); }
    virtual void programsAreChunks(bool state) { setFlag(effFlagsProgramChunks, state); }
    virtual void setRealtimeQualities(VstInt32 qualities) { cEffect.realQualities = qualities; }
    virtual void setOfflineQualities(VstInt32 qualities) { cEffect.offQualities = qualities; }
    virtual void setInitialDelay(VstInt32 delay) { cEffect.initialDelay = delay; }

    // Inquiry, without asking the host.
    virtual float getSampleRate() { return sampleRate; }
    virtual VstInt32 getBlockSize() { return blockSize; }

    // Host callbacks.
    virtual VstInt32 getMasterVersion();
    virtual VstInt32 getCurrentUniqueId();
    virtual void masterIdle();
    virtual bool isInputConnected(VstInt32 input);
    virtual bool isOutputConnected(VstInt32 output);

    // Value-to-text tools: at most 8 characters and a terminator.
    virtual void dB2string(float value, char* text);
    virtual void Hz2string(float samples, char* text);
    virtual void ms2string(float samples, char* text);
    virtual void float2string(float value, char* text);
    virtual void long2string(VstInt32 value, char* text);

    AEffect* getAeffect() { return &cEffect; }
    AEffEditor* getEditor() { return editor; }
    // Installs (or, with null, removes) the editor; the instance owns it.
    void setEditor(AEffEditor* newEditor);

    AudioEffect(const AudioEffect&) = delete;
    AudioEffect& operator=(const AudioEffect&) = delete;

protected:
    void setFlag(VstInt32 flag, bool state);
    // One call into the host; the fallback is answered when there is none.
    VstIntPtr callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt,
                       VstIntPtr withoutHost = 0);

    // Written on the dispatcher's thread; the audio thread reads the rate at
    // every block. Hosts should change them only while the instance is
    // suspended, and some change them while it processes.
    SharedValue<float> sampleRate;
    SharedValue<VstInt32> blockSize;
    // Set while the instance is made, before the host has the descriptor;
    // read from any thread afterwards.
    AEffEditor* editor;
    audioMasterCallback audioMaster;
    VstInt32 numPrograms;
    VstInt32 numParams;
    // The dispatcher's thread's alone.
    VstInt32 curProgram;
    // Filled while the instance is made; the host reads it from any thread.
    AEffect cEffect;
};

// The instance behind a descriptor, or null for a descriptor that is not ours.
AudioEffect* instanceOf(AEffect* effect);
