// Quorvane as an LV2 plug-in: the engine behind the ports. A control port
// reaches the engine only when its value changes, as a VST 2 host's
// setParameter would; the events port carries MIDI and the editor's writes,
// all taken before the block is rendered, as the VST 2 build takes its
// events; the moving values the editor draws go out on control outputs.
#pragma once

#include <lv2/atom/atom.h>
#include <lv2/urid/urid.h>

#include <cstdint>
#include <optional>

#include "engine/engine.h"
#include "lv2/editor_messages.h"

class Lv2Instrument {
public:
    Lv2Instrument(double sampleRate, const LV2_URID_Map& map);

    void connect(std::uint32_t port, void* data);
    // Everything that depends on history starts again: a fresh engine whose
    // parameters are the defaults, which count as given to it.
    void activate();
    void run(std::uint32_t frames);

    // The engine, for tests that look inside; hosts see only the ports.
    const Engine& sound() const { return *engine; }

private:
    void takeControls();
    void takeEvents();
    void publishMovingValues();

    float sampleRate; // as the VST 2 build keeps it; the engine copes with odd rates
    LV2_URID midiEvent;
    EditorMessageUrids messages;
    std::optional<Engine> engine; // in place, so activate rebuilds it without the heap
    std::uint32_t givenBits[NumParams];

    const LV2_Atom_Sequence* events = nullptr;
    float* left = nullptr;
    float* right = nullptr;
    const float* controls[NumParams] = {};
    float* targets[kNumAxes] = {};
    float* axisOutputs[kNumAxes] = {};
    float* modulationAmounts[kNumAxes] = {};
};
