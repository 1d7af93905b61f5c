#include "tests/stress/host_events.h"

void HostEvents::choose(HostChoices& choose, bool anything) {
    events.numEvents = choose.between(0, kMostEvents);
    for (int i = 0; i < events.numEvents; ++i) {
        VstMidiEvent& event = midi[i];
        event = VstMidiEvent{};
        event.type = anything && choose.chance(0.05) ? kVstSysExType : kVstMidiType;
        event.byteSize = sizeof event;
        event.deltaFrames = choose.between(0, 63);
        const int channel = choose.below(16);
        const int kind = choose.below(anything ? 4 : 3);
        const int bytes[4][3] = {{0x90 | channel, choose.between(0, 127), choose.between(0, 127)},
                                 {0x80 | channel, choose.between(0, 127), 0},
                                 {0xB0 | channel, 123, 0},
                                 {choose.below(256), choose.below(256), choose.below(256)}};
        for (int b = 0; b < 3; ++b) {
            event.midiData[b] = static_cast<char>(bytes[kind][b]);
        }
        events.events[i] = reinterpret_cast<VstEvent*>(&event);
    }
}
