// The 90 parameters, described once: three sections (M oscillator, F effect,
// L LFO), each an axis Y and an axis X of fourteen fields, then two free
// modifiers. Every plug-in format, the editor and the engine read this table;
// nothing about a parameter is written anywhere else.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The one list of parameter names, in index order. The enumeration and the
// names the hosts see are both made from it, so they cannot disagree.
#define QUORVANE_PARAMETERS(X)                                                                                         \
    X(MYTargetPos)                                                                                                     \
    X(MYRate) X(MYOvershoot) X(MYStaticPos) X(MYStaticRate) X(MYLockStatic) X(MYM0Source) X(MYM0Amount) X(MYM0Rate)    \
        X(MYM0Overshoot) X(MYM1Source) X(MYM1Amount) X(MYM1Rate) X(MYM1Overshoot) X(MXTargetPos) X(MXRate)             \
            X(MXOvershoot) X(MXStaticPos) X(MXStaticRate) X(MXLockStatic) X(MXM0Source) X(MXM0Amount) X(MXM0Rate)      \
                X(MXM0Overshoot) X(MXM1Source) X(MXM1Amount) X(MXM1Rate) X(MXM1Overshoot) X(MModifier0) X(MModifier1)  \
                    X(FYTargetPos) X(FYRate) X(FYOvershoot) X(FYStaticPos) X(FYStaticRate) X(FYLockStatic)             \
                        X(FYM0Source) X(FYM0Amount) X(FYM0Rate) X(FYM0Overshoot) X(FYM1Source) X(FYM1Amount)           \
                            X(FYM1Rate) X(FYM1Overshoot) X(FXTargetPos) X(FXRate) X(FXOvershoot) X(FXStaticPos)        \
                                X(FXStaticRate) X(FXLockStatic) X(FXM0Source) X(FXM0Amount) X(FXM0Rate)                \
                                    X(FXM0Overshoot) X(FXM1Source) X(FXM1Amount) X(FXM1Rate) X(FXM1Overshoot)          \
                                        X(FModifier0) X(FModifier1) X(LYTargetPos) X(LYRate) X(LYOvershoot)            \
                                            X(LYStaticPos) X(LYStaticRate) X(LYLockStatic) X(LYM0Source) X(LYM0Amount) \
                                                X(LYM0Rate) X(LYM0Overshoot) X(LYM1Source) X(LYM1Amount) X(LYM1Rate)   \
                                                    X(LYM1Overshoot) X(LXTargetPos) X(LXRate) X(LXOvershoot)           \
                                                        X(LXStaticPos) X(LXStaticRate) X(LXLockStatic) X(LXM0Source)   \
                                                            X(LXM0Amount) X(LXM0Rate) X(LXM0Overshoot) X(LXM1Source)   \
                                                                X(LXM1Amount) X(LXM1Rate) X(LXM1Overshoot)             \
                                                                    X(LModifier0) X(LModifier1)

enum ParameterIndex : std::int32_t {
#define QUORVANE_ENUMERATOR(name) name,
    QUORVANE_PARAMETERS(QUORVANE_ENUMERATOR)
#undef QUORVANE_ENUMERATOR
        NumParams
};

// Fields of an axis, as offsets from the axis's first parameter.
enum AxisField : std::int32_t {
    kTargetPos,
    kRate,
    kOvershoot,
    kStaticPos,
    kStaticRate,
    kLockStatic,
    kM0Source,
    kM0Amount,
    kM0Rate,
    kM0Overshoot,
    kM1Source,
    kM1Amount,
    kM1Rate,
    kM1Overshoot,
    kFieldsPerAxis
};

constexpr std::int32_t kNumSections = 3;
constexpr std::int32_t kParametersPerSection = 30;
// Within a section: the Y axis's fields, the X axis's, then the modifiers.
constexpr std::int32_t kYAxisOffset = 0;
constexpr std::int32_t kXAxisOffset = kFieldsPerAxis;
constexpr std::int32_t kModifier0Offset = 2 * kFieldsPerAxis;
constexpr std::int32_t kModifier1Offset = kModifier0Offset + 1;

// How a value is shown as text: a whole percentage, written with "%d".
enum class DisplayRule : std::uint8_t { percent };

// The editor control that shows and changes a parameter, the same in every
// section's column. The pads drive two parameters each, one per axis.
enum class EditorControl : std::uint8_t {
    none,
    xyPadX,
    xyPadY,
    modulationPadX,
    modulationPadY,
    xRateKnob,
    yRateKnob,
    xOvershootKnob,
    yOvershootKnob,
    xStaticRateKnob,
    yStaticRateKnob,
    modifier0Knob,
    modifier1Knob,
    xM0RateKnob,
    yM0RateKnob,
    xM0OvershootKnob,
    yM0OvershootKnob,
};

struct ParameterFacts {
    const char* name;   // also the enumerator's identifier
    const char* label;  // the unit shown beside the value
    float defaultValue; // what a new instance starts from
    DisplayRule display;
    EditorControl control;
};

namespace parameter_table_detail {

constexpr const char* kNames[NumParams] = {
#define QUORVANE_NAME(name) #name,
    QUORVANE_PARAMETERS(QUORVANE_NAME)
#undef QUORVANE_NAME
};

struct FieldFacts {
    float defaultValue;
    EditorControl xControl;
    EditorControl yControl;
};

// Every axis's fields; a source of 6.5/11 selects slot 6, the LFO.
constexpr FieldFacts kFields[kFieldsPerAxis] = {
    {0.5f, EditorControl::xyPadX, EditorControl::xyPadY},                   // TargetPos
    {0.5f, EditorControl::xRateKnob, EditorControl::yRateKnob},             // Rate
    {0.5f, EditorControl::xOvershootKnob, EditorControl::yOvershootKnob},   // Overshoot
    {0.5f, EditorControl::none, EditorControl::none},                       // StaticPos
    {0.015f, EditorControl::xStaticRateKnob, EditorControl::yStaticRateKnob}, // StaticRate
    {0.5f, EditorControl::none, EditorControl::none},                       // LockStatic
    {6.5f / 11.0f, EditorControl::none, EditorControl::none},               // M0Source
    {0.5f, EditorControl::modulationPadX, EditorControl::modulationPadY},   // M0Amount
    {0.5f, EditorControl::xM0RateKnob, EditorControl::yM0RateKnob},         // M0Rate
    {0.5f, EditorControl::xM0OvershootKnob, EditorControl::yM0OvershootKnob}, // M0Overshoot
    {0.5f, EditorControl::none, EditorControl::none},                       // M1Source
    {0.0f, EditorControl::none, EditorControl::none},                       // M1Amount
    {0.5f, EditorControl::none, EditorControl::none},                       // M1Rate
    {0.5f, EditorControl::none, EditorControl::none},                       // M1Overshoot
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

constexpr ParameterFacts factsOf(std::int32_t index) {
    const std::int32_t position = index % kParametersPerSection;
    ParameterFacts facts{kNames[index], "  ", kModifierDefault, DisplayRule::percent, EditorControl::none};
    if (position == kModifier0Offset || position == kModifier1Offset) {
        facts.control = position == kModifier0Offset ? EditorControl::modifier0Knob : EditorControl::modifier1Knob;
        return facts;
    }
    const FieldFacts& field = kFields[position % kFieldsPerAxis];
    facts.defaultValue = field.defaultValue;
    facts.control = position >= kXAxisOffset ? field.xControl : field.yControl;
    for (const DefaultException& exception : kExceptions) {
        if (exception.index == index) {
            facts.defaultValue = exception.value;
        }
    }
    return facts;
}

constexpr std::array<ParameterFacts, NumParams> makeTable() {
    std::array<ParameterFacts, NumParams> table{};
    for (std::int32_t index = 0; index < NumParams; ++index) {
        table[static_cast<std::size_t>(index)] = factsOf(index);
    }
    return table;
}

} // namespace parameter_table_detail

constexpr std::array<ParameterFacts, NumParams> kParameterTable = parameter_table_detail::makeTable();

// The one program: every parameter at its default. Each format lists it by
// this name.
constexpr const char* kProgramName = "Init.";

constexpr bool isParameter(std::int32_t index) { return index >= 0 && index < NumParams; }

// The parameter within a section (0 to 29) that a control drives; -1 for none.
constexpr std::int32_t sectionOffsetOf(EditorControl control) {
    for (std::int32_t offset = 0; offset < kParametersPerSection; ++offset) {
        if (control != EditorControl::none && kParameterTable[static_cast<std::size_t>(offset)].control == control) {
            return offset;
        }
    }
    return -1;
}

// The whole number a value is shown as, written with "%d", under its
// parameter's display rule; it fits the 8 characters hosts show whatever
// float a host stored.
std::int32_t displayedNumber(std::int32_t index, float value);
