#include "engine/engine.h"

#include <cstring>
#include <initializer_list>

Engine::Engine() {
    fillTables();
    for (TableOscillator* oscillator : {&toneOsc, &lfoOsc}) {
        oscillator->phase = 0.0f;
        oscillator->increment = 0.0f;
    }
    std::memset(delay.buffer, 0, sizeof delay.buffer);
    delay.feedback = 0.0f;
    delay.wetGain = 0.0f;
    delay.writePos = 0;
    delay.readPos = 0.0f;
    for (AxisRecord& axis : axes) {
        clearAxis(axis);
    }
    for (float& source : modSources) {
        source = 0.0f;
    }
    for (std::int32_t index = 0; index < NumParams; ++index) {
        params[index] = kParameterTable[static_cast<std::size_t>(index)].defaultValue;
    }
    paramsDirty = true;
    updateAxes();
}

void Engine::setParameter(std::int32_t index, float value) {
    if (isParameter(index)) {
        params[index] = value;
    }
    paramsDirty.publish(true);
}

float Engine::parameter(std::int32_t index) const {
    return isParameter(index) ? params[index].load() : 0.0f;
}
