// The performance played when no MIDI file is given: about ten seconds that
// show what Quorvane does. Its parameter writes name Quorvane's parameters;
// a plug-in without those names just hears the notes.
#pragma once

#include <vector>

#include "midi_file.h"

struct DemoNote {
    double start;  // seconds
    double length; // seconds until the note-off
    int note;
    int velocity;
};
struct DemoSetting {
    const char* name;
    float value;
};
struct DemoAutomation {
    double seconds;
    const char* name;
    float value;
};

const std::vector<DemoNote>& demoNotes();
const std::vector<DemoSetting>& demoSettings();       // written before the first block
const std::vector<DemoAutomation>& demoAutomation();  // written during the performance
constexpr double kDemoTempoBpm = 100.0;

// The notes as MIDI messages on channel 1, sorted by time.
std::vector<MidiMessage> demoMessages();
