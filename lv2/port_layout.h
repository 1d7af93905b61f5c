// Where each of the LV2 plug-in's ports sits. The description the generator
// writes, the sound and the editor all index ports through these, so the
// three cannot disagree. The moving values come in the axes' parameter order
// (MY, MX, FY, FX, LY, LX), the order their TargetPos parameters lie in.
#pragma once

#include <cstdint>

#include "engine/axis_orders.h"
#include "engine/parameter_table.h"

namespace lv2_ports {

constexpr std::uint32_t kEvents = 0; // atom:Sequence in: MIDI and the editor's messages
constexpr std::uint32_t kLeft = 1;
constexpr std::uint32_t kRight = 2;
constexpr std::uint32_t kFirstControl = 3; // the 90 parameters, in index order
constexpr std::uint32_t kFirstTarget = kFirstControl + NumParams;
constexpr std::uint32_t kFirstAxisOutput = kFirstTarget + kNumAxes;
constexpr std::uint32_t kFirstModulationAmount = kFirstAxisOutput + kNumAxes;
constexpr std::uint32_t kCount = kFirstModulationAmount + kNumAxes;

// What a port carries; a moving value's axis is kParameterOrder[slot].axis.
enum class PortKind { events, audio, control, target, axisOutput, modulationAmount, none };

struct PortRole {
    PortKind kind;
    std::int32_t slot; // the parameter index, the axis's place in kParameterOrder, or the channel
};

constexpr PortRole roleOf(std::uint32_t port) {
    if (port == kEvents) {
        return {PortKind::events, 0};
    }
    if (port == kLeft || port == kRight) {
        return {PortKind::audio, static_cast<std::int32_t>(port - kLeft)};
    }
    if (port < kFirstTarget) {
        return {PortKind::control, static_cast<std::int32_t>(port - kFirstControl)};
    }
    if (port < kFirstAxisOutput) {
        return {PortKind::target, static_cast<std::int32_t>(port - kFirstTarget)};
    }
    if (port < kFirstModulationAmount) {
        return {PortKind::axisOutput, static_cast<std::int32_t>(port - kFirstAxisOutput)};
    }
    if (port < kCount) {
        return {PortKind::modulationAmount, static_cast<std::int32_t>(port - kFirstModulationAmount)};
    }
    return {PortKind::none, -1};
}

} // namespace lv2_ports
