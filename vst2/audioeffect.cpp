#include "audioeffect.h"

#include <cmath>
#include <cstring>

#include "host_text.h"

AudioEffect* instanceOf(AEffect* effect) {
    if (effect == nullptr || effect->magic != kEffectMagic) {
        return nullptr;
    }
    return static_cast<AudioEffect*>(effect->object);
}

namespace {

// The five entries of the descriptor. Hosts hand back the record we gave
// them; anything else is answered with nothing rather than followed.

VstIntPtr VSTCALLBACK dispatchEntry(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                    float opt) {
    AudioEffect* instance = instanceOf(effect);
    if (instance == nullptr) {
        return 0;
    }
    if (opcode == effClose) {
        instance->dispatcher(opcode, index, value, ptr, opt);
        delete instance;
        return 1;
    }
    return instance->dispatcher(opcode, index, value, ptr, opt);
}

void VSTCALLBACK processEntry(AEffect* effect, float** inputs, float** outputs, VstInt32 sampleFrames) {
    if (AudioEffect* instance = instanceOf(effect)) {
        instance->process(inputs, outputs, sampleFrames);
    }
}

void VSTCALLBACK processReplacingEntry(AEffect* effect, float** inputs, float** outputs, VstInt32 sampleFrames) {
    if (AudioEffect* instance = instanceOf(effect)) {
        instance->processReplacing(inputs, outputs, sampleFrames);
    }
}

void VSTCALLBACK setParameterEntry(AEffect* effect, VstInt32 index, float value) {
    if (AudioEffect* instance = instanceOf(effect)) {
        instance->setParameter(index, value);
    }
}

float VSTCALLBACK getParameterEntry(AEffect* effect, VstInt32 index) {
    AudioEffect* instance = instanceOf(effect);
    return instance != nullptr ? instance->getParameter(index) : 0.0f;
}

// effGetVu answers the level scaled to 16 bits, truncated; a level that is no
// finite number, or one beyond the answer's range, must not reach the cast.
VstIntPtr vuAnswer(float level) {
    const double scaled = static_cast<double>(level) * 32767.0;
    if (!(std::fabs(scaled) < 2147483647.0)) {
        return 0;
    }
    return static_cast<VstInt32>(scaled);
}

} // namespace

AudioEffect::AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
    : sampleRate(44100.0f), blockSize(1024), editor(nullptr), audioMaster(audioMaster), numPrograms(numPrograms),
      numParams(numParams), curProgram(0) {
    std::memset(&cEffect, 0, sizeof(cEffect));
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = dispatchEntry;
    cEffect.process = processEntry;
    cEffect.setParameter = setParameterEntry;
    cEffect.getParameter = getParameterEntry;
    cEffect.numPrograms = numPrograms;
    cEffect.numParams = numParams;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = fourCharCode('N', 'o', 'E', 'f');
    cEffect.version = 1;
    cEffect.processReplacing = processReplacingEntry;
}

AudioEffect::~AudioEffect() {
    delete editor;
}

void AudioEffect::setEditor(AEffEditor* newEditor) {
    editor = newEditor;
    setFlag(effFlagsHasEditor, newEditor != nullptr);
}

void AudioEffect::setFlag(VstInt32 flag, bool state) {
    if (state) {
        cEffect.flags |= flag;
    } else {
        cEffect.flags &= ~flag;
    }
}

void AudioEffect::getParameterLabel(VstInt32 index, char* label) {
    (void)index;
    copyHostText(label, kVstMaxParamStrLen + 1, "");
}

void AudioEffect::getParameterDisplay(VstInt32 index, char* text) {
    (void)index;
    copyHostText(text, kVstMaxParamStrLen + 1, "");
}

void AudioEffect::getParameterName(VstInt32 index, char* text) {
    (void)index;
    copyHostText(text, kVstMaxParamStrLen + 1, "");
}

VstInt32 AudioEffect::getChunk(void** data, bool isPreset) {
    (void)data;
    (void)isPreset;
    return 0;
}

VstInt32 AudioEffect::setChunk(void* data, VstInt32 byteSize, bool isPreset) {
    (void)data;
    (void)byteSize;
    (void)isPreset;
    return 0;
}

// Opcodes 0 to 24. Opcodes that read or write through ptr do nothing with a
// null ptr and answer 0; hosts have been seen to send exactly that.
VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    if (static_cast<std::uint32_t>(opcode) > static_cast<std::uint32_t>(effSetChunk)) {
        return 0;
    }
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
    case effOpen:
        open();
        break;
    case effClose:
        close();
        break;
    case effSetProgram:
        if (value < numPrograms) {
            setProgram(static_cast<VstInt32>(value));
        }
        break;
    case effGetProgram:
        return getProgram();
    case effSetProgramName:
        if (text != nullptr) {
            setProgramName(text);
        }
        break;
    case effGetProgramName:
        if (text != nullptr) {
            getProgramName(text);
        }
        break;
    case effGetParamLabel:
        if (text != nullptr) {
            getParameterLabel(index, text);
        }
        break;
    case effGetParamDisplay:
        if (text != nullptr) {
            getParameterDisplay(index, text);
        }
        break;
    case effGetParamName:
        if (text != nullptr) {
            getParameterName(index, text);
        }
        break;
    case effGetVu:
        return vuAnswer(getVu());
    case effSetSampleRate:
        setSampleRate(opt);
        break;
    case effSetBlockSize:
        setBlockSize(static_cast<VstInt32>(value));
        break;
    case effMainsChanged:
        if (value == 0) {
            suspend();
        } else {
            resume();
        }
        break;
    case effEditGetRect:
        if (editor != nullptr && ptr != nullptr) {
            return editor->getRect(static_cast<ERect**>(ptr));
        }
        break;
    case effEditOpen:
        if (editor != nullptr) {
            return editor->open(ptr);
        }
        break;
    case effEditClose:
        if (editor != nullptr) {
            editor->close();
        }
        break;
    case effEditIdle:
        // Some hosts send effEditIdle before effEditOpen; the editor copes.
        if (editor != nullptr) {
            editor->idle();
        }
        break;
    case effIdentify:
        return fourCharCode('N', 'v', 'E', 'f');
    case effGetChunk:
        if (ptr != nullptr) {
            return getChunk(static_cast<void**>(ptr), index != 0);
        }
        break;
    case effSetChunk:
        if (ptr != nullptr) {
            return setChunk(ptr, static_cast<VstInt32>(value), index != 0);
        }
        break;
    default: // effEditDraw, effEditMouse, effEditKey, effEditTop, effEditSleep
        break;
    }
    return 0;
}
