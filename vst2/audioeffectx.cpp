#include "audioeffectx.h"

// Opcodes 25 to 58; everything else goes down to AudioEffect. Opcodes that
// read or write through ptr do nothing with a null ptr and answer 0.
VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    if (static_cast<std::uint32_t>(opcode) - static_cast<std::uint32_t>(effProcessEvents) >
        static_cast<std::uint32_t>(effGetVstVersion - effProcessEvents)) {
        return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
    }
    char* text = static_cast<char*>(ptr);
    auto* pin = static_cast<VstPinProperties*>(ptr);
    auto* task = static_cast<VstOfflineTask*>(ptr);
    switch (opcode) {
    case effProcessEvents:
        return ptr != nullptr ? processEvents(static_cast<VstEvents*>(ptr)) : 0;
    case effCanBeAutomated:
        return canParameterBeAutomated(index) ? 1 : 0;
    case effString2Parameter:
        return text != nullptr && string2parameter(index, text) ? 1 : 0;
    case effGetNumProgramCategories:
        return getNumCategories();
    case effGetProgramNameIndexed:
        return text != nullptr && getProgramNameIndexed(static_cast<VstInt32>(value), index, text) ? 1 : 0;
    case effCopyProgram:
        return copyProgram(index) ? 1 : 0;
    case effConnectInput:
        inputConnected(index, value != 0);
        return 1;
    case effConnectOutput:
        outputConnected(index, value != 0);
        return 1;
    case effGetInputProperties:
        return pin != nullptr && getInputProperties(index, pin) ? 1 : 0;
    case effGetOutputProperties:
        return pin != nullptr && getOutputProperties(index, pin) ? 1 : 0;
    case effGetPlugCategory:
        return getPlugCategory();
    case effGetCurrentPosition:
        return reportCurrentPosition();
    case effGetDestinationBuffer:
        return reinterpret_cast<VstIntPtr>(reportDestinationBuffer());
    case effOfflineNotify:
        return ptr != nullptr &&
                       offlineNotify(static_cast<VstAudioFile*>(ptr), static_cast<VstInt32>(value), index != 0)
                   ? 1
                   : 0;
    case effOfflinePrepare:
        return task != nullptr && offlinePrepare(task, static_cast<VstInt32>(value)) ? 1 : 0;
    case effOfflineRun:
        return task != nullptr && offlineRun(task, static_cast<VstInt32>(value)) ? 1 : 0;
    case effProcessVarIo:
        return ptr != nullptr && processVariableIo(static_cast<VstVariableIo*>(ptr)) ? 1 : 0;
    case effSetSpeakerArrangement:
        return value != 0 && ptr != nullptr &&
                       setSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement*>(value),
                                             static_cast<VstSpeakerArrangement*>(ptr))
                   ? 1
                   : 0;
    case effSetBlockSizeAndSampleRate:
        setBlockSizeAndSampleRate(static_cast<VstInt32>(value), opt);
        return 1;
    case effSetBypass:
        return setBypass(value != 0) ? 1 : 0;
    case effGetEffectName:
        return text != nullptr && getEffectName(text) ? 1 : 0;
    case effGetErrorText:
        return text != nullptr && getErrorText(text) ? 1 : 0;
    case effGetVendorString:
        return text != nullptr && getVendorString(text) ? 1 : 0;
    case effGetProductString:
        return text != nullptr && getProductString(text) ? 1 : 0;
    case effGetVendorVersion:
        return getVendorVersion();
    case effVendorSpecific:
        return vendorSpecific(index, value, ptr, opt);
    case effCanDo:
        return text != nullptr ? canDo(text) : 0;
    case effGetTailSize:
        return getGetTailSize();
    case effIdle:
        return fxIdle();
    case effGetIcon:
        return reinterpret_cast<VstIntPtr>(getIcon());
    case effSetViewPosition:
        return setViewPosition(index, static_cast<VstInt32>(value)) ? 1 : 0;
    case effGetParameterProperties:
        return ptr != nullptr && getParameterProperties(index, static_cast<VstParameterProperties*>(ptr)) ? 1 : 0;
    case effKeysRequired:
        return keysRequired() ? 0 : 1; // the interface asks the question inverted
    case effGetVstVersion:
        return getVstVersion();
    default:
        return 0;
    }
}
