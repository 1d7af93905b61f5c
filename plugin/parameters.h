// The 90 parameters: three sections (M oscillator, F effect, L LFO), each an
// axis Y and an axis X of fourteen fields, then two free modifiers.
#pragma once

#include <cstdint>

// The one list of parameter names, in index order. The enumeration and the
// names the host sees are both made from it, so they cannot disagree.
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

constexpr std::int32_t kParametersPerSection = 30;

// Text of a parameter's name, or null outside 0..89.
const char* parameterName(std::int32_t index);

// The value construction gives a parameter.
float parameterDefault(std::int32_t index);
