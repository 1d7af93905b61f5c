#include "plugin/parameters.h"

namespace {

constexpr const char* kNames[NumParams] = {
#define QUORVANE_NAME(name) #name,
    QUORVANE_PARAMETERS(QUORVANE_NAME)
#undef QUORVANE_NAME
};

// The value every axis's field starts from. A source of 6.5/11 selects slot
// 6, the LFO.
constexpr float kFieldDefaults[kFieldsPerAxis] = {
    0.5f, 0.5f, 0.5f, 0.5f, 0.015f, 0.5f, 6.5f / 11.0f, 0.5f, 0.5f, 0.5f, 0.5f, 0.0f, 0.5f, 0.5f,
};

struct DefaultException {
    ParameterIndex index;
    float value;
};

// The pitch axis's modulator springs softer and rings longer; the level and
// LFO-depth axes carry a second modulator amount.
constexpr DefaultException kExceptions[] = {
    {MYM0Rate, 0.4f}, {MYM0Overshoot, 0.7f}, {MXM1Amount, 0.5f}, {LXM1Amount, 0.5f}, {LXM1Rate, 0.0f},
};

// Nothing reads the modifiers; their knobs start centred.
constexpr float kModifierDefault = 0.5f;

} // namespace

const char* parameterName(std::int32_t index) {
    return index >= 0 && index < NumParams ? kNames[index] : nullptr;
}

float parameterDefault(std::int32_t index) {
    if (index < 0 || index >= NumParams) {
        return 0.0f;
    }
    for (const DefaultException& exception : kExceptions) {
        if (exception.index == index) {
            return exception.value;
        }
    }
    const std::int32_t position = index % kParametersPerSection;
    if (position >= 2 * kFieldsPerAxis) {
        return kModifierDefault;
    }
    return kFieldDefaults[position % kFieldsPerAxis];
}
