// The editor's view of an LV2 instance, which may run in another process:
// parameters and moving values as the host last reported their ports, the
// user's parameter changes written to the control ports, and the engine
// writes sent to the sound as messages on the events port. Nothing here
// touches the engine's memory.
#pragma once

#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <cstdint>

#include "editor/editor_model.h"
#include "lv2/editor_messages.h"

class Lv2EditorModel final : public EditorModel {
public:
    Lv2EditorModel(LV2_URID_Map& map, LV2UI_Write_Function write, LV2UI_Controller controller);

    // A port's new value from the host (ui:floatProtocol); anything else is
    // ignored.
    void portEvent(std::uint32_t port, std::uint32_t size, std::uint32_t format, const void* buffer);

    float parameter(std::int32_t index) override;
    void automate(std::int32_t index, float value) override;
    float axisOutput(AxisIndex axis) override;
    float modulationAmount(AxisIndex axis) override;
    void setAxisHeld(AxisIndex axis, bool held) override;
    void setAxisTarget(AxisIndex axis, float target) override;
    void setModulationAmount(AxisIndex axis, float amount) override;
    void refreshAxes() override;

private:
    void send(const EditorMessage& message);

    LV2_URID_Map& map;
    EditorMessageUrids urids;
    LV2_URID eventTransfer;
    LV2UI_Write_Function write;
    LV2UI_Controller controller;
    // What the VST 2 editor would read from the engine: the parameters (a
    // TargetPos being the moving target the sound writes back), each axis's
    // output and its modulator 0 amount.
    float parameters[NumParams];
    float outputs[kNumAxes] = {};
    float amounts[kNumAxes];
};
