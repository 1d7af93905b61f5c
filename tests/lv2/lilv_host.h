// A small LV2 host of the tests' own, over lilv: finds Quorvane in the
// folders LV2_PATH names (the tests set it to the build tree), makes an
// instance at a sample rate, holds a buffer for every port, and runs blocks
// with the events the test queued for them. It talks to the binary only
// through LV2's descriptor.
#pragma once

#include <lilv/lilv.h>
#include <lv2/atom/atom.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/lv2/urid_table.h"

// One lilv world over LV2_PATH, and Quorvane's plug-in in it.
class Lv2World {
public:
    Lv2World();
    ~Lv2World();
    Lv2World(const Lv2World&) = delete;
    Lv2World& operator=(const Lv2World&) = delete;

    LilvWorld* world() const { return lilvWorld; }
    // Null when the bundle was not found.
    const LilvPlugin* quorvane() const { return plugin; }
    LilvNode* uri(const char* text) const { return lilv_new_uri(lilvWorld, text); }

private:
    LilvWorld* lilvWorld;
    const LilvPlugin* plugin = nullptr;
};

class Lv2Instance {
public:
    // Every control port starts at its lv2:default, as hosts do.
    Lv2Instance(const Lv2World& world, UridTable& urids, double sampleRate);
    ~Lv2Instance();
    Lv2Instance(const Lv2Instance&) = delete;
    Lv2Instance& operator=(const Lv2Instance&) = delete;

    bool valid() const { return instance != nullptr; }
    void activate() { lilv_instance_activate(instance); }
    void deactivate() { lilv_instance_deactivate(instance); }

    float& port(std::uint32_t index) { return controls[index]; }
    // Queued for the next run, in order.
    void queueMidi(std::int64_t frame, const std::vector<std::uint8_t>& bytes);
    void queueAtom(std::int64_t frame, const LV2_Atom& atom);
    // Queues a raw event of any type (one the plug-in should ignore).
    void queueEvent(std::int64_t frame, LV2_URID type, const void* body, std::uint32_t size);

    // Runs one block and clears the queue; the outputs hold the block.
    void run(std::uint32_t frames);
    const std::vector<float>& left() const { return audio[0]; }
    const std::vector<float>& right() const { return audio[1]; }

private:
    LV2_URID midiEvent;
    LV2_URID sequenceType;
    LilvInstance* instance = nullptr;
    std::vector<float> controls; // one per port; unused for the audio and atom ports
    std::vector<float> audio[2];
    std::vector<std::uint8_t> queued; // the events, each an LV2_Atom_Event, padded to 8 bytes
    std::vector<std::uint64_t> sequence;
};
