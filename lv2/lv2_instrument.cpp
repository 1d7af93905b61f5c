#include "lv2/lv2_instrument.h"

#include <lv2/atom/util.h>
#include <lv2/midi/midi.h>

#include <cstring>
#include <limits>

#include "lv2/port_layout.h"

namespace {

std::uint32_t bitsOf(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

} // namespace

Lv2Instrument::Lv2Instrument(double sampleRate, const LV2_URID_Map& map)
    : sampleRate(static_cast<float>(sampleRate)), midiEvent(map.map(map.handle, LV2_MIDI__MidiEvent)),
      messages(map) {
    activate();
}

void Lv2Instrument::connect(std::uint32_t port, void* data) {
    const lv2_ports::PortRole role = lv2_ports::roleOf(port);
    auto* value = static_cast<float*>(data);
    switch (role.kind) {
    case lv2_ports::PortKind::events:
        events = static_cast<const LV2_Atom_Sequence*>(data);
        break;
    case lv2_ports::PortKind::audio:
        (role.slot == 0 ? left : right) = value;
        break;
    case lv2_ports::PortKind::control:
        controls[role.slot] = value;
        break;
    case lv2_ports::PortKind::target:
        targets[role.slot] = value;
        break;
    case lv2_ports::PortKind::axisOutput:
        axisOutputs[role.slot] = value;
        break;
    case lv2_ports::PortKind::modulationAmount:
        modulationAmounts[role.slot] = value;
        break;
    case lv2_ports::PortKind::none:
        break;
    }
}

void Lv2Instrument::activate() {
    engine.emplace();
    for (std::int32_t index = 0; index < NumParams; ++index) {
        givenBits[index] = bitsOf(kParameterTable[static_cast<std::size_t>(index)].defaultValue);
    }
}

void Lv2Instrument::run(std::uint32_t frames) {
    takeControls();
    takeEvents();
    const std::uint32_t largest = std::numeric_limits<std::int32_t>::max();
    engine->render(sampleRate, left, right, static_cast<std::int32_t>(frames < largest ? frames : largest));
    publishMovingValues();
}

// Compared by bits, so NaN reaches the engine once, as a host writes it once.
void Lv2Instrument::takeControls() {
    for (std::int32_t index = 0; index < NumParams; ++index) {
        if (controls[index] == nullptr) {
            continue;
        }
        const float value = *controls[index];
        if (bitsOf(value) != givenBits[index]) {
            givenBits[index] = bitsOf(value);
            engine->setParameter(index, value);
        }
    }
}

// Every event acts at once, whatever its frame offset: the VST 2 build
// ignores deltaFrames, and both builds must play the same samples. Hosts
// differ in what else they put on a MIDI port; only our two kinds count.
void Lv2Instrument::takeEvents() {
    if (events == nullptr) {
        return;
    }
    LV2_ATOM_SEQUENCE_FOREACH(events, event) {
        const LV2_Atom& body = event->body;
        if (body.type == midiEvent && body.size > 0) {
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(&body + 1);
            engine->handleMidi(bytes[0], body.size > 1 ? bytes[1] : 0, body.size > 2 ? bytes[2] : 0);
        } else if (body.type == messages.atomObject && body.size >= sizeof(LV2_Atom_Object_Body)) {
            EditorMessage message{};
            if (readEditorMessage(messages, reinterpret_cast<const LV2_Atom_Object&>(body), message)) {
                applyEditorMessage(*engine, message);
            }
        }
    }
}

void Lv2Instrument::publishMovingValues() {
    for (int slot = 0; slot < kNumAxes; ++slot) {
        const AxisBinding& binding = kParameterOrder[slot];
        const AxisRecord& axis = engine->axes[binding.axis];
        if (targets[slot] != nullptr) {
            *targets[slot] = engine->parameter(binding.firstParameter);
        }
        if (axisOutputs[slot] != nullptr) {
            *axisOutputs[slot] = axis.out;
        }
        if (modulationAmounts[slot] != nullptr) {
            *modulationAmounts[slot] = axis.modulators[0].amount;
        }
    }
}
