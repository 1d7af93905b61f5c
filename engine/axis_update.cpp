// Taking the parameters into the axis records.
#include "engine/finite_or_zero.h"
#include "engine/engine.h"

namespace {

// trunc(11 × v); NaN and values beyond any slot give -1, which reads as 0.0.
std::int32_t sourceSlot(float value) {
    const double slot = 11.0 * static_cast<double>(value);
    return slot > -2147483648.0 && slot < 2147483648.0 ? static_cast<std::int32_t>(slot) : -1;
}

} // namespace

void Engine::updateAxes() {
    // Taken first: a parameter written while the copy runs raises the flag
    // again and is taken at the next block.
    paramsDirty.take(false);
    coefficientsCurrent = false;
    for (const AxisBinding& binding : kParameterOrder) {
        AxisRecord& axis = axes[binding.axis];
        // The parameters keep what the host wrote; the copies are numbers.
        const SharedValue<float>* p = &params[binding.firstParameter];
        if (axis.held) {
            axis.target = finiteOrZero(p[kTargetPos].load());
        }
        axis.rate = finiteOrZero(p[kRate].load());
        axis.overshoot = finiteOrZero(p[kOvershoot].load());
        axis.staticPos = finiteOrZero(p[kStaticPos].load());
        axis.staticRate = finiteOrZero(p[kStaticRate].load());
        for (int m = 0; m < 2; ++m) {
            AxisModulator& modulator = axis.modulators[m];
            const int field = m == 0 ? kM0Source : kM1Source;
            modulator.source = sourceSlot(p[field]);
            modulator.amount = finiteOrZero(p[field + 1].load());
            modulator.rate = finiteOrZero(p[field + 2].load());
            modulator.overshoot = finiteOrZero(p[field + 3].load());
        }
    }
    // MModifier0, MModifier1, FModifier0, ... in index order.
    for (int i = 0; i < kNumModifiers; ++i) {
        modifiers[i] = params[kParametersPerSection * (i / 2) + kModifier0Offset + i % 2];
    }
}
