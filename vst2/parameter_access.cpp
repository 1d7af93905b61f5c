// The host's view of the parameters: values, names, units and display texts.
#include <cstdio>

#include "vst2/adelay.h"
#include "vst2/host_text.h"

namespace {

// Names run to 13 characters ("MYM0Overshoot"); hosts pass buffers larger
// than the interface's nominal 8 for them.
constexpr std::size_t kNameCapacity = 14;
constexpr std::size_t kDisplayCapacity = kVstMaxParamStrLen + 1;

} // namespace

// Stores and flags; the engine takes the value at its next block start.
void ADelay::setParameter(VstInt32 index, float value) {
    engine.setParameter(index, value);
    if (editor != nullptr) {
        editor->postUpdate();
    }
}

float ADelay::getParameter(VstInt32 index) {
    return engine.parameter(index);
}

void ADelay::getParameterName(VstInt32 index, char* text) {
    copyHostText(text, kNameCapacity, isParameter(index) ? kParameterTable[static_cast<std::size_t>(index)].name : "");
}

// Every parameter has the same label, so any index gets it.
void ADelay::getParameterLabel(VstInt32 /*index*/, char* label) {
    copyHostText(label, kDisplayCapacity, kParameterTable[0].label);
}

void ADelay::getParameterDisplay(VstInt32 index, char* text) {
    if (!isParameter(index)) {
        copyHostText(text, kDisplayCapacity, "");
        return;
    }
    char rendered[16];
    std::snprintf(rendered, sizeof rendered, "%d", static_cast<int>(displayedNumber(index, engine.parameter(index))));
    copyHostText(text, kDisplayCapacity, rendered);
}
