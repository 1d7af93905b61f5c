// A block's MIDI as a host hands it over: an event list with room for more
// than the two slots VstEvents declares, refilled for every block.
#pragma once

#include "tests/stress/host_choices.h"
#include "vst2/vst2.h"

class HostEvents {
public:
    // Notes on and off on any channel and all-notes-off; from a host that
    // sends anything, also any three bytes and events of another type.
    void choose(HostChoices& choose, bool anything);
    void* list() { return &events; }

private:
    static constexpr int kMostEvents = 8;
    struct {
        VstInt32 numEvents;
        VstIntPtr reserved;
        VstEvent* events[kMostEvents];
    } events{};
    VstMidiEvent midi[kMostEvents]{};
};
