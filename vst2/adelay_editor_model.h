// The editor's view of a VST 2 instance: the parameters through the
// interface's own calls (writes reach the host as automation), the axes
// straight from the engine, which shares the instance's memory.
#pragma once

#include "editor/editor_model.h"

class ADelay;

class ADelayEditorModel final : public EditorModel {
public:
    explicit ADelayEditorModel(ADelay& plugin) : plugin(plugin) {}

    float parameter(std::int32_t index) override;
    void automate(std::int32_t index, float value) override;
    float axisOutput(AxisIndex axis) override;
    float modulationAmount(AxisIndex axis) override;
    void setAxisHeld(AxisIndex axis, bool held) override;
    void setAxisTarget(AxisIndex axis, float target) override;
    void setModulationAmount(AxisIndex axis, float amount) override;
    void refreshAxes() override;

private:
    ADelay& plugin;
};
