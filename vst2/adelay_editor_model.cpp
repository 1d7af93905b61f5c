#include "vst2/adelay_editor_model.h"

#include "vst2/adelay.h"

float ADelayEditorModel::parameter(std::int32_t index) {
    return plugin.getParameter(index);
}

void ADelayEditorModel::automate(std::int32_t index, float value) {
    plugin.setParameterAutomated(index, value);
}

float ADelayEditorModel::axisOutput(AxisIndex axis) {
    return plugin.engine.axes[axis].out;
}

float ADelayEditorModel::modulationAmount(AxisIndex axis) {
    return plugin.engine.axes[axis].modulators[0].amount;
}

void ADelayEditorModel::setAxisHeld(AxisIndex axis, bool held) {
    plugin.engine.axes[axis].held = held;
}

void ADelayEditorModel::setAxisTarget(AxisIndex axis, float target) {
    plugin.engine.axes[axis].target = target;
}

void ADelayEditorModel::setModulationAmount(AxisIndex axis, float amount) {
    plugin.engine.axes[axis].modulators[0].amount = amount;
}

void ADelayEditorModel::refreshAxes() {
    plugin.engine.paramsDirty.publish(true);
}
