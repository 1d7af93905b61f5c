// One MIDI message as a host hands it to a plug-in: a VstMidiEvent in an
// event list of one, ready for effProcessEvents or processEvents.
#pragma once

#include "vst2/vst2.h"

class OneMidiEvent {
public:
    OneMidiEvent(int status, int data1, int data2) {
        midi.type = kVstMidiType;
        midi.byteSize = sizeof midi;
        midi.midiData[0] = static_cast<char>(status);
        midi.midiData[1] = static_cast<char>(data1);
        midi.midiData[2] = static_cast<char>(data2);
        events.numEvents = 1;
        events.events[0] = reinterpret_cast<VstEvent*>(&midi);
    }
    // The list points into this object: it cannot move.
    OneMidiEvent(const OneMidiEvent&) = delete;
    OneMidiEvent& operator=(const OneMidiEvent&) = delete;

    VstEvents* list() { return &events; }

    // Through the descriptor, as a host sends it.
    VstIntPtr sendTo(AEffect* effect) { return effect->dispatcher(effect, effProcessEvents, 0, 0, &events, 0.0f); }

private:
    VstMidiEvent midi{};
    VstEvents events{};
};
