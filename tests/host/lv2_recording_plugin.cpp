// A small LV2 plug-in of our own that writes down what its host does to it,
// one line per event, into the file named by QUORVANE_RECORD_LOG: the
// features and options it is given, the control values that changed before
// each block, the MIDI events with their frames, each block's length, and
// whatever a host got wrong about its buffers. Its lines read as those of
// recording_plugin.cpp, the VST 2 one, so that one replay reads both.
//
// Sound, the same as the VST 2 recorder's: each output channel is the
// matching input times Gain, plus velocity / 127 at the frame of each
// note-on.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include <lv2/atom/atom.h>
#include <lv2/atom/util.h>
#include <lv2/core/lv2.h>
#include <lv2/midi/midi.h>
#include <lv2/options/options.h>
#include <lv2/urid/urid.h>

#include "tests/host/recording_log.h"

namespace {

enum Port : std::uint32_t { InL, InR, OutL, OutR, Events, Gain, Tone, Mix, Level, Notify, CvIn, PortCount };
constexpr int kControls = 3;
constexpr float kDefaults[kControls] = {1.0f, 0.5f, 0.25f}; // as the Turtle file says

struct Recorder {
    void* ports[PortCount] = {};
    float seen[kControls] = {kDefaults[0], kDefaults[1], kDefaults[2]};
    FILE* log = nullptr;
    LV2_URID_Map* map = nullptr;
    LV2_URID sequence = 0, chunk = 0, midiEvent = 0;
};

LV2_Handle instantiate(const LV2_Descriptor*, double rate, const char*, const LV2_Feature* const* features) {
    auto* r = new (std::nothrow) Recorder;
    if (r == nullptr) {
        return nullptr;
    }
    if (const char* path = std::getenv("QUORVANE_RECORD_LOG")) {
        r->log = std::fopen(path, "w");
    }
    note(r->log, "instantiate rate %g", rate);
    const LV2_URID_Unmap* unmap = nullptr;
    const LV2_Options_Option* options = nullptr;
    for (int i = 0; features != nullptr && features[i] != nullptr; ++i) {
        note(r->log, "feature %s", features[i]->URI);
        if (std::strcmp(features[i]->URI, LV2_URID__map) == 0) {
            r->map = static_cast<LV2_URID_Map*>(features[i]->data);
        } else if (std::strcmp(features[i]->URI, LV2_URID__unmap) == 0) {
            unmap = static_cast<const LV2_URID_Unmap*>(features[i]->data);
        } else if (std::strcmp(features[i]->URI, LV2_OPTIONS__options) == 0) {
            options = static_cast<const LV2_Options_Option*>(features[i]->data);
        }
    }
    if (r->map == nullptr || unmap == nullptr) {
        note(r->log, "no urid map or unmap");
        return r;
    }
    r->sequence = r->map->map(r->map->handle, LV2_ATOM__Sequence);
    r->chunk = r->map->map(r->map->handle, LV2_ATOM__Chunk);
    r->midiEvent = r->map->map(r->map->handle, LV2_MIDI__MidiEvent);
    const LV2_URID intType = r->map->map(r->map->handle, LV2_ATOM__Int);
    const LV2_URID floatType = r->map->map(r->map->handle, LV2_ATOM__Float);
    for (const LV2_Options_Option* o = options; o != nullptr && o->key != 0; ++o) {
        const char* key = unmap->unmap(unmap->handle, o->key);
        if (o->type == intType && o->size == sizeof(std::int32_t)) {
            note(r->log, "option %s %d", key, *static_cast<const std::int32_t*>(o->value));
        } else if (o->type == floatType && o->size == sizeof(float)) {
            note(r->log, "option %s %g", key, *static_cast<const float*>(o->value));
        } else {
            note(r->log, "option %s of type %s", key, unmap->unmap(unmap->handle, o->type));
        }
    }
    return r;
}

void connectPort(LV2_Handle handle, std::uint32_t port, void* data) {
    if (port < PortCount) {
        static_cast<Recorder*>(handle)->ports[port] = data;
    }
}

void activate(LV2_Handle handle) {
    note(static_cast<Recorder*>(handle)->log, "activate");
}

void run(LV2_Handle handle, std::uint32_t frames) {
    Recorder* r = static_cast<Recorder*>(handle);
    for (std::uint32_t p = 0; p < PortCount; ++p) {
        if (r->ports[p] == nullptr) {
            note(r->log, "port %u not connected", p);
            return;
        }
    }
    float* const controls[kControls] = {static_cast<float*>(r->ports[Gain]), static_cast<float*>(r->ports[Tone]),
                                        static_cast<float*>(r->ports[Mix])};
    for (int c = 0; c < kControls; ++c) {
        if (*controls[c] != r->seen[c]) {
            r->seen[c] = *controls[c];
            note(r->log, "param %d %g", c, r->seen[c]);
        }
    }
    const auto* in = static_cast<const LV2_Atom_Sequence*>(r->ports[Events]);
    float* const outputs[2] = {static_cast<float*>(r->ports[OutL]), static_cast<float*>(r->ports[OutR])};
    const float* const inputs[2] = {static_cast<const float*>(r->ports[InL]), static_cast<const float*>(r->ports[InR])};
    for (int c = 0; c < 2; ++c) {
        for (std::uint32_t i = 0; i < frames; ++i) {
            outputs[c][i] = inputs[c][i] * r->seen[0];
        }
    }
    if (in->atom.type != r->sequence) {
        note(r->log, "events of type %u, not a sequence", in->atom.type);
    } else {
        int count = 0;
        LV2_ATOM_SEQUENCE_FOREACH(in, event) {
            ++count;
        }
        if (count > 0) {
            note(r->log, "events %d", count);
        }
        LV2_ATOM_SEQUENCE_FOREACH(in, event) {
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(event + 1);
            const std::uint32_t size = event->body.size;
            if (event->body.type != r->midiEvent || size < 1 || size > 3) {
                note(r->log, "event of type %u and size %u", event->body.type, size);
                continue;
            }
            const auto frame = static_cast<long long>(event->time.frames);
            note(r->log, "midi %lld %d %d %d", frame, bytes[0], size > 1 ? bytes[1] : 0, size > 2 ? bytes[2] : 0);
            if ((bytes[0] & 0xF0) == 0x90 && size == 3 && bytes[2] > 0 && frame >= 0 && frame < frames) {
                for (float* out : outputs) {
                    out[frame] += bytes[2] / 127.0f;
                }
            }
        }
    }
    // Hosts must offer the notify port's whole buffer again every block.
    auto* notify = static_cast<LV2_Atom_Sequence*>(r->ports[Notify]);
    if (notify->atom.type != r->chunk || notify->atom.size < sizeof(LV2_Atom_Sequence_Body)) {
        note(r->log, "notify buffer not offered: type %u, size %u", notify->atom.type, notify->atom.size);
    } else {
        notify->atom.type = r->sequence;
        notify->atom.size = sizeof(LV2_Atom_Sequence_Body);
        notify->body.unit = 0;
        notify->body.pad = 0;
    }
    const auto* cv = static_cast<const float*>(r->ports[CvIn]);
    for (std::uint32_t i = 0; i < frames; ++i) {
        if (cv[i] != 0.0f) {
            note(r->log, "CV input not silent at frame %u", i);
            break;
        }
    }
    *static_cast<float*>(r->ports[Level]) = r->seen[0];
    note(r->log, "process %u", frames);
}

void deactivate(LV2_Handle handle) {
    note(static_cast<Recorder*>(handle)->log, "deactivate");
}

void cleanup(LV2_Handle handle) {
    Recorder* r = static_cast<Recorder*>(handle);
    note(r->log, "cleanup");
    if (r->log != nullptr) {
        std::fclose(r->log);
    }
    delete r;
}

const void* extensionData(const char*) {
    return nullptr;
}

// One binary behind every test plug-in; the Turtle files tell them apart.
constexpr const char* kUris[] = {"urn:quorvane:test:lv2-recorder", "urn:quorvane:test:needs-fixed-blocks",
                                 "urn:quorvane:test:needs-an-option"};
const LV2_Descriptor kDescriptors[] = {
    {kUris[0], instantiate, connectPort, activate, run, deactivate, cleanup, extensionData},
    {kUris[1], instantiate, connectPort, activate, run, deactivate, cleanup, extensionData},
    {kUris[2], instantiate, connectPort, activate, run, deactivate, cleanup, extensionData},
};

} // namespace

LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(std::uint32_t index) {
    return index < sizeof kDescriptors / sizeof kDescriptors[0] ? &kDescriptors[index] : nullptr;
}
