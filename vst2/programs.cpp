// Programs, output pins and capabilities: what the host asks about the plug-in.
#include <cstring>
#include <initializer_list>

#include "vst2/adelay.h"
#include "vst2/host_text.h"

void ADelay::getProgramName(char* name) {
    copyHostText(name, kVstMaxProgNameLen + 1, kProgramName);
}

// Index 0 is the left pin; 1, and a negative index as well, the right one.
bool ADelay::getOutputProperties(VstInt32 index, VstPinProperties* properties) {
    if (index >= 2) {
        return false;
    }
    copyHostText(properties->label, sizeof properties->label, index == 0 ? "V-Avari L" : "V-Avari R");
    properties->flags = kVstPinIsActive | kVstPinIsStereo;
    return true;
}

VstInt32 ADelay::canDo(char* text) {
    for (const char* capability : {"receiveVstEvents", "receiveVstMidiEvent"}) {
        if (std::strcmp(text, capability) == 0) {
            return 1;
        }
    }
    return 0;
}
