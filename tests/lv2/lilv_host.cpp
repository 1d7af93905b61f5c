#include "tests/lv2/lilv_host.h"

#include <lv2/atom/util.h>
#include <lv2/midi/midi.h>

#include <cstring>
#include <stdexcept>

#include "lv2/port_layout.h"
#include "lv2/uris.h"

namespace {

// Large enough for the longest block a test runs.
constexpr std::size_t kMaxFrames = 16384;
constexpr std::size_t kSequenceBytes = 65536;

} // namespace

Lv2World::Lv2World() : lilvWorld(lilv_world_new()) {
    lilv_world_load_all(lilvWorld);
    LilvNode* pluginUri = uri(kPluginUri);
    plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(lilvWorld), pluginUri);
    lilv_node_free(pluginUri);
}

Lv2World::~Lv2World() {
    lilv_world_free(lilvWorld);
}

Lv2Instance::Lv2Instance(const Lv2World& world, UridTable& urids, double sampleRate)
    : midiEvent(urids.map(LV2_MIDI__MidiEvent)), sequenceType(urids.map(LV2_ATOM__Sequence)),
      controls(lv2_ports::kCount, 0.0f), sequence(kSequenceBytes / sizeof(std::uint64_t)) {
    const LilvPlugin* plugin = world.quorvane();
    if (plugin == nullptr) {
        return;
    }
    const LV2_Feature mapFeature{LV2_URID__map, urids.mapFeature()};
    const LV2_Feature* features[] = {&mapFeature, nullptr};
    instance = lilv_plugin_instantiate(plugin, sampleRate, features);
    if (instance == nullptr) {
        return;
    }
    std::vector<float> defaults(lilv_plugin_get_num_ports(plugin), 0.0f);
    lilv_plugin_get_port_ranges_float(plugin, nullptr, nullptr, defaults.data());
    for (std::uint32_t index = 0; index < lv2_ports::kCount && index < defaults.size(); ++index) {
        controls[index] = defaults[index] == defaults[index] ? defaults[index] : 0.0f;
        lilv_instance_connect_port(instance, index, &controls[index]);
    }
    for (int channel = 0; channel < 2; ++channel) {
        audio[channel].assign(kMaxFrames, 0.0f);
        lilv_instance_connect_port(instance, lv2_ports::kLeft + static_cast<std::uint32_t>(channel),
                                   audio[channel].data());
    }
    lilv_instance_connect_port(instance, lv2_ports::kEvents, sequence.data());
}

Lv2Instance::~Lv2Instance() {
    if (instance != nullptr) {
        lilv_instance_free(instance);
    }
}

void Lv2Instance::queueEvent(std::int64_t frame, LV2_URID type, const void* body, std::uint32_t size) {
    LV2_Atom_Event header{};
    header.time.frames = frame;
    header.body.type = type;
    header.body.size = size;
    const std::size_t start = queued.size();
    queued.resize(start + lv2_atom_pad_size(sizeof header + size), 0);
    std::memcpy(&queued[start], &header, sizeof header);
    std::memcpy(&queued[start + sizeof header], body, size);
}

void Lv2Instance::queueMidi(std::int64_t frame, const std::vector<std::uint8_t>& bytes) {
    queueEvent(frame, midiEvent, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

void Lv2Instance::queueAtom(std::int64_t frame, const LV2_Atom& atom) {
    queueEvent(frame, atom.type, &atom + 1, atom.size);
}

void Lv2Instance::run(std::uint32_t frames) {
    if (frames > kMaxFrames || sizeof(LV2_Atom_Sequence) + queued.size() > kSequenceBytes) {
        throw std::runtime_error("block or events too large for the test host");
    }
    auto* header = reinterpret_cast<LV2_Atom_Sequence*>(sequence.data());
    header->atom.type = sequenceType;
    header->atom.size = static_cast<std::uint32_t>(sizeof(LV2_Atom_Sequence_Body) + queued.size());
    header->body.unit = 0;
    header->body.pad = 0;
    if (!queued.empty()) {
        std::memcpy(header + 1, queued.data(), queued.size());
    }
    lilv_instance_run(instance, frames);
    queued.clear();
}
