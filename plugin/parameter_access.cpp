// The host's view of the parameters: values, names, units and display texts.
#include <cmath>
#include <cstdio>

#include "plugin/adelay.h"
#include "shell/host_text.h"

namespace {

bool isParameter(VstInt32 index) {
    return index >= 0 && index < NumParams;
}

// Names run to 13 characters ("MYM0Overshoot"); hosts pass buffers larger
// than the interface's nominal 8 for them.
constexpr std::size_t kNameCapacity = 14;
constexpr std::size_t kDisplayCapacity = kVstMaxParamStrLen + 1;

// The value as a whole percentage, held inside what 8 characters can show
// whatever float the host stored.
int displayPercent(float value) {
    const double percent = std::floor(static_cast<double>(value) * 100.0 + 0.5);
    if (std::isnan(percent)) {
        return 0;
    }
    if (percent > 99999999.0) {
        return 99999999;
    }
    if (percent < -9999999.0) {
        return -9999999;
    }
    return static_cast<int>(percent);
}

} // namespace

// Stores and flags; the engine takes the value at its next block start.
void ADelay::setParameter(VstInt32 index, float value) {
    if (isParameter(index)) {
        params[index] = value;
    }
    paramsDirty = true;
    if (editor != nullptr) {
        editor->postUpdate();
    }
}

float ADelay::getParameter(VstInt32 index) {
    return isParameter(index) ? params[index].load() : 0.0f;
}

void ADelay::getParameterName(VstInt32 index, char* text) {
    const char* name = parameterName(index);
    copyHostText(text, kNameCapacity, name != nullptr ? name : "");
}

void ADelay::getParameterLabel(VstInt32 /*index*/, char* label) {
    copyHostText(label, kDisplayCapacity, "  ");
}

void ADelay::getParameterDisplay(VstInt32 index, char* text) {
    if (!isParameter(index)) {
        copyHostText(text, kDisplayCapacity, "");
        return;
    }
    char rendered[16];
    std::snprintf(rendered, sizeof rendered, "%d", displayPercent(params[index]));
    copyHostText(text, kDisplayCapacity, rendered);
}
