#include "lv2/lv2_editor_model.h"

#include <lv2/atom/atom.h>

#include <cstring>

#include "lv2/port_layout.h"

Lv2EditorModel::Lv2EditorModel(LV2_URID_Map& map, LV2UI_Write_Function write, LV2UI_Controller controller)
    : map(map), urids(map), eventTransfer(map.map(map.handle, LV2_ATOM__eventTransfer)), write(write),
      controller(controller) {
    for (std::int32_t index = 0; index < NumParams; ++index) {
        parameters[index] = kParameterTable[static_cast<std::size_t>(index)].defaultValue;
    }
    for (int slot = 0; slot < kNumAxes; ++slot) {
        amounts[kParameterOrder[slot].axis] = parameters[kParameterOrder[slot].firstParameter + kM0Amount];
    }
}

// A TargetPos hears both its control port (the host's writes) and the
// target the sound writes back after each block: the latest wins, as in
// the VST 2 build, where both land in the same parameter.
void Lv2EditorModel::portEvent(std::uint32_t port, std::uint32_t size, std::uint32_t format, const void* buffer) {
    if (format != 0 || size != sizeof(float) || buffer == nullptr) {
        return;
    }
    float value = 0.0f;
    std::memcpy(&value, buffer, sizeof value);
    const lv2_ports::PortRole role = lv2_ports::roleOf(port);
    switch (role.kind) {
    case lv2_ports::PortKind::control:
        parameters[role.slot] = value;
        break;
    case lv2_ports::PortKind::target:
        parameters[kParameterOrder[role.slot].firstParameter] = value;
        break;
    case lv2_ports::PortKind::axisOutput:
        outputs[kParameterOrder[role.slot].axis] = value;
        break;
    case lv2_ports::PortKind::modulationAmount:
        amounts[kParameterOrder[role.slot].axis] = value;
        break;
    default:
        break;
    }
}

float Lv2EditorModel::parameter(std::int32_t index) {
    return isParameter(index) ? parameters[index] : 0.0f;
}

// Seen at once, as the VST 2 editor sees its own setParameter.
void Lv2EditorModel::automate(std::int32_t index, float value) {
    if (!isParameter(index)) {
        return;
    }
    parameters[index] = value;
    write(controller, lv2_ports::kFirstControl + static_cast<std::uint32_t>(index), sizeof value, 0, &value);
}

float Lv2EditorModel::axisOutput(AxisIndex axis) {
    return outputs[axis];
}

float Lv2EditorModel::modulationAmount(AxisIndex axis) {
    return amounts[axis];
}

void Lv2EditorModel::setAxisHeld(AxisIndex axis, bool held) {
    send({EditorMessageKind::axisHeld, axis, held ? 1.0f : 0.0f});
}

void Lv2EditorModel::setAxisTarget(AxisIndex axis, float target) {
    send({EditorMessageKind::axisTarget, axis, target});
}

// Drawn at once, as the VST 2 editor draws the amount it just wrote.
void Lv2EditorModel::setModulationAmount(AxisIndex axis, float amount) {
    amounts[axis] = amount;
    send({EditorMessageKind::modulationAmount, axis, amount});
}

void Lv2EditorModel::refreshAxes() {
    send({EditorMessageKind::refreshAxes, kAxisMY, 0.0f});
}

void Lv2EditorModel::send(const EditorMessage& message) {
    alignas(LV2_Atom) std::uint8_t buffer[kEditorMessageCapacity];
    const std::uint32_t size = writeEditorMessage(urids, map, message, buffer, sizeof buffer);
    if (size != 0) {
        write(controller, lv2_ports::kEvents, size, eventTransfer, buffer);
    }
}
