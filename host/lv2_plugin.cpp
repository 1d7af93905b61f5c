#include "lv2_plugin.h"

#include <algorithm>
#include <cmath>

#include <lv2/atom/atom.h>
#include <lv2/midi/midi.h>
#include <lv2/options/options.h>
#include <lv2/resize-port/resize-port.h>

namespace {

// What an atom port's buffer holds at least: room for what plug-ins write
// to their outputs (notes, state changes) in one block.
constexpr std::size_t kSequenceBytes = 32768;

// "a, b and c".
std::string listed(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        text += (i == 0 ? "" : i + 1 == items.size() ? " and " : ", ") + items[i];
    }
    return text;
}

} // namespace

Lv2Plugin::Lv2Plugin(const std::string& where, const HostState& host)
    : where(where), host(host), world(static_cast<bool>(host.log)), features(host.log) {
    plugin = world.find(where);
    if (!lilv_plugin_verify(plugin)) {
        throw PluginError(where + ": the LV2 plug-in's description is incomplete (no name, binary or ports)");
    }
    readPorts();
    sequenceType = features.map(LV2_ATOM__Sequence);
    chunkType = features.map(LV2_ATOM__Chunk);
    midiEventType = features.map(LV2_MIDI__MidiEvent);
    if (host.log) {
        host.log("found " + nodeText(lilv_plugin_get_uri(plugin)) + " in " +
                 nodeText(lilv_plugin_get_bundle_uri(plugin)));
    }
}

Lv2Plugin::~Lv2Plugin() {
    stop();
    if (instance != nullptr) {
        lilv_instance_free(instance);
    }
}

void Lv2Plugin::checkRequirements() const {
    std::vector<std::string> missing;
    const OwnedNodes required(lilv_plugin_get_required_features(plugin));
    LILV_FOREACH(nodes, i, required.get()) {
        const std::string uri = nodeText(lilv_nodes_get(required.get(), i));
        if (!Lv2HostFeatures::provides(uri)) {
            missing.push_back(uri);
        }
    }
    std::sort(missing.begin(), missing.end()); // lilv's order depends on how the data was loaded
    if (!missing.empty()) {
        throw PluginError(where + " requires the LV2 feature" + (missing.size() > 1 ? "s " : " ") + listed(missing) +
                          ", which quorvane-render does not provide");
    }
    const OwnedNode requiredOption = world.uri(LV2_OPTIONS__requiredOption);
    const OwnedNodes options(lilv_plugin_get_value(plugin, requiredOption.get()));
    LILV_FOREACH(nodes, i, options.get()) {
        const std::string uri = nodeText(lilv_nodes_get(options.get(), i));
        if (!Lv2HostFeatures::tells(uri)) {
            missing.push_back(uri);
        }
    }
    if (!missing.empty()) {
        throw PluginError(where + " requires the LV2 option" + (missing.size() > 1 ? "s " : " ") + listed(missing) +
                          ", which quorvane-render does not give");
    }
}

void Lv2Plugin::readPorts() {
    const OwnedNode input = world.uri(LV2_CORE__InputPort), output = world.uri(LV2_CORE__OutputPort),
                    audio = world.uri(LV2_CORE__AudioPort), control = world.uri(LV2_CORE__ControlPort),
                    cv = world.uri(LV2_CORE__CVPort), atom = world.uri(LV2_ATOM__AtomPort),
                    midiEvent = world.uri(LV2_MIDI__MidiEvent), optional = world.uri(LV2_CORE__connectionOptional),
                    minimumSize = world.uri(LV2_RESIZE_PORT__minimumSize);
    const std::uint32_t count = lilv_plugin_get_num_ports(plugin);
    std::vector<float> minimum(count), maximum(count), fallback(count);
    lilv_plugin_get_port_ranges_float(plugin, minimum.data(), maximum.data(), fallback.data());
    controls.assign(count, 0.0f);
    for (std::uint32_t i = 0; i < count; ++i) {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, i);
        Port p{PortKind::Optional, nodeText(lilv_port_get_symbol(plugin, port)), "", 0, false};
        const OwnedNode name(lilv_port_get_name(plugin, port));
        p.name = nodeText(name.get());
        const bool isInput = lilv_port_is_a(plugin, port, input.get());
        const bool isOutput = lilv_port_is_a(plugin, port, output.get());
        const auto kind = [&](PortKind in, PortKind out) { return isInput ? in : out; };
        if (isInput == isOutput) {
            // Neither or both: nothing a host can connect.
            p.kind = PortKind::Optional;
        } else if (lilv_port_is_a(plugin, port, audio.get())) {
            p.kind = kind(PortKind::AudioIn, PortKind::AudioOut);
        } else if (lilv_port_is_a(plugin, port, control.get())) {
            p.kind = kind(PortKind::ControlIn, PortKind::ControlOut);
        } else if (lilv_port_is_a(plugin, port, cv.get())) {
            p.kind = kind(PortKind::CvIn, PortKind::CvOut);
        } else if (lilv_port_is_a(plugin, port, atom.get())) {
            p.kind = kind(PortKind::AtomIn, PortKind::AtomOut);
            p.midi = isInput && lilv_port_supports_event(plugin, port, midiEvent.get());
            const OwnedNodes sizes(lilv_port_get_value(plugin, port, minimumSize.get()));
            const LilvNode* size = sizes ? lilv_nodes_get_first(sizes.get()) : nullptr;
            if (size != nullptr && lilv_node_is_int(size) && lilv_node_as_int(size) > 0) {
                p.minimumBytes = static_cast<std::size_t>(lilv_node_as_int(size));
            }
        }
        if (p.kind == PortKind::Optional && !lilv_port_has_property(plugin, port, optional.get())) {
            throw PluginError(where + ": port " + std::to_string(i) + " (" + p.symbol +
                              ") is of a kind quorvane-render cannot connect");
        }
        // A control without a default starts at its minimum, else at 0.
        controls[i] = !std::isnan(fallback[i]) ? fallback[i] : !std::isnan(minimum[i]) ? minimum[i] : 0.0f;
        switch (p.kind) {
        case PortKind::AudioIn:
            audioInputPorts.push_back(i);
            break;
        case PortKind::AudioOut:
            audioOutputPorts.push_back(i);
            break;
        case PortKind::ControlIn: {
            ParameterFacts fact{p.name, p.symbol};
            if (!std::isnan(minimum[i])) {
                fact.minimum = minimum[i];
            }
            if (!std::isnan(maximum[i])) {
                fact.maximum = maximum[i];
            }
            facts.push_back(fact);
            parameterPorts.push_back(i);
            break;
        }
        default:
            break;
        }
        ports.push_back(std::move(p));
    }
}

void Lv2Plugin::setParameter(int index, float value) {
    controls[parameterPorts[static_cast<std::size_t>(index)]] = value;
}

void Lv2Plugin::start(std::size_t maxEventsPerBlock) {
    if (running) {
        return;
    }
    std::size_t sequenceBytes = std::max(kSequenceBytes, AtomSequence::bytesFor(maxEventsPerBlock));
    for (const Port& port : ports) {
        sequenceBytes = std::max(sequenceBytes, port.minimumBytes);
    }
    if (instance == nullptr) {
        checkRequirements();
        features.setOptions(static_cast<float>(host.sampleRate), host.blockSize, static_cast<int>(sequenceBytes));
        instance = lilv_plugin_instantiate(plugin, host.sampleRate, features.list());
        if (instance == nullptr) {
            throw PluginError("cannot instantiate the LV2 plug-in " + where);
        }
        connectPorts(sequenceBytes);
    }
    if (host.log) {
        host.log("instantiated at " + std::to_string(host.sampleRate) + " Hz, blocks of up to " +
                 std::to_string(host.blockSize) + " frames, atom buffers of " + std::to_string(sequenceBytes) +
                 " bytes");
        if (maxEventsPerBlock > 0 && midiInput == nullptr) {
            host.log("the plug-in has no MIDI input: the performance's MIDI events are not delivered");
        }
    }
    lilv_instance_activate(instance);
    running = true;
}

void Lv2Plugin::connectPorts(std::size_t sequenceBytes) {
    std::size_t atomIns = 0, atomOuts = 0, cvs = 0;
    for (const Port& port : ports) {
        atomIns += port.kind == PortKind::AtomIn;
        atomOuts += port.kind == PortKind::AtomOut;
        cvs += port.kind == PortKind::CvIn || port.kind == PortKind::CvOut;
    }
    // Reserved whole so that the addresses handed to the plug-in stay put.
    atomInputs.reserve(atomIns);
    atomOutputs.reserve(atomOuts);
    cvBuffers.reserve(cvs);
    for (std::uint32_t i = 0; i < ports.size(); ++i) {
        void* buffer = nullptr;
        switch (ports[i].kind) {
        case PortKind::ControlIn:
        case PortKind::ControlOut:
            buffer = &controls[i];
            break;
        case PortKind::AtomIn:
            atomInputs.emplace_back(sequenceBytes);
            atomInputs.back().clear(sequenceType);
            if (ports[i].midi && midiInput == nullptr) {
                midiInput = &atomInputs.back();
            }
            buffer = atomInputs.back().atom();
            break;
        case PortKind::AtomOut:
            atomOutputs.emplace_back(sequenceBytes);
            atomOutputs.back().offer(chunkType);
            buffer = atomOutputs.back().atom();
            break;
        case PortKind::CvIn:
        case PortKind::CvOut:
            // Inputs stay silent; outputs are written and not read.
            cvBuffers.emplace_back(static_cast<std::size_t>(host.blockSize), 0.0f);
            buffer = cvBuffers.back().data();
            break;
        case PortKind::AudioIn:
        case PortKind::AudioOut:
            // Connected to the render's buffers with every block.
        case PortKind::Optional:
            break;
        }
        lilv_instance_connect_port(instance, i, buffer);
    }
}

void Lv2Plugin::process(std::int64_t firstFrame, const ScheduledMessage* events, std::size_t eventCount,
                        float** inputs, float** outputs, int frames) {
    for (std::size_t c = 0; c < audioInputPorts.size(); ++c) {
        lilv_instance_connect_port(instance, audioInputPorts[c], inputs[c]);
    }
    for (std::size_t c = 0; c < audioOutputPorts.size(); ++c) {
        lilv_instance_connect_port(instance, audioOutputPorts[c], outputs[c]);
    }
    for (AtomSequence& sequence : atomInputs) {
        sequence.clear(sequenceType);
    }
    if (midiInput != nullptr) {
        // Sized in start() for the fullest block, so every event fits.
        for (std::size_t i = 0; i < eventCount; ++i) {
            midiInput->append(events[i].frame - firstFrame, midiEventType, events[i].message.bytes,
                              events[i].message.size);
        }
    }
    for (AtomSequence& sequence : atomOutputs) {
        sequence.offer(chunkType);
    }
    lilv_instance_run(instance, static_cast<std::uint32_t>(frames));
}

void Lv2Plugin::stop() {
    if (running) {
        lilv_instance_deactivate(instance);
        running = false;
    }
}
