#include "demo_performance.h"

#include <algorithm>

// Three phrases. Overlapping notes make the pitch axis glide (and overshoot)
// from one note to the next, since the newest held note sets the target;
// gaps between notes let the delay's echoes be heard. Velocities are low in
// MIDI terms because the tone's amplitude is velocity / 127 and the delay
// adds its echoes on top; these keep the peak below full scale. Every
// automation write comes a little after a note-on and well before the next
// one: Quorvane refreshes held axes from its parameters in a block that
// starts with a write, and a note-on in that same block would lose its pitch.
const std::vector<DemoNote>& demoNotes() {
    static const std::vector<DemoNote> notes = {
        // Phrase 1: a legato climb of overlapping notes to a long A4 that
        // the LFO turns into a trill.
        // It starts a few blocks in: the settings below reach Quorvane at its
        // first block, and a note-on in that block would lose its pitch.
        {0.05, 0.85, 57, 27},
        {0.75, 0.75, 60, 25},
        {1.35, 0.85, 64, 31},
        {2.05, 1.20, 69, 38},
        // Phrase 2: short, separated notes with rising velocity into the
        // echoes of a short, then long, delay.
        {3.60, 0.22, 67, 22},
        {4.00, 0.22, 64, 27},
        {4.40, 0.22, 62, 32},
        {4.80, 0.55, 60, 41},
        {5.70, 0.30, 64, 27},
        {6.15, 0.30, 67, 29},
        // Phrase 3: a held G4 under which higher notes overlap, under a fast
        // then slowing LFO, ending on a long low A with growing feedback.
        {6.80, 1.40, 67, 31},
        {7.40, 0.60, 72, 27},
        {7.90, 0.50, 76, 34},
        {8.60, 1.00, 57, 36},
    };
    return notes;
}

const std::vector<DemoSetting>& demoSettings() {
    static const std::vector<DemoSetting> settings = {
        // A released note's level falls to 0 within about 0.1 s instead of
        // staying where the note put it.
        {"MXStaticPos", 0.0f},
        {"MXStaticRate", 0.2f},
        {"MXOvershoot", 0.25f},
        // The LFO moves the pitch: by about a semitone either way at an LX
        // of 0.3, more as the depth grows.
        {"MYM0Amount", 0.6f},
        // The effect and LFO axes start at 0 and glide to these rest
        // positions at these rates (a time constant of about 0.4 s).
        {"FYStaticPos", 0.6f},  // 0.3 s delay
        {"FYStaticRate", 0.15f},
        {"FXStaticPos", 0.45f}, // feedback 0.38
        {"FXStaticRate", 0.15f},
        {"LYStaticPos", 0.42f}, // about 2.2 Hz
        {"LYStaticRate", 0.15f},
        {"LXStaticPos", 0.0f},  // no modulation yet
        {"LXStaticRate", 0.12f},
    };
    return settings;
}

const std::vector<DemoAutomation>& demoAutomation() {
    static const std::vector<DemoAutomation> automation = {
        {2.15, "LXStaticPos", 0.55f},  // the trill swells in on the held A4
        {3.30, "FXStaticPos", 0.60f},  // more echoes in the gap
        {3.70, "FYStaticPos", 0.35f},  // short slap-back delay
        {3.70, "LXStaticPos", 0.00f},  // the trill fades
        {5.00, "FYStaticPos", 0.90f},  // the delay stretches; its echoes bend in pitch
        {5.00, "FYStaticRate", 0.11f}, // slowly
        {6.90, "LYStaticPos", 0.58f},  // a fast LFO, about 8 Hz
        {6.90, "LXStaticPos", 0.40f},
        {8.00, "LYStaticPos", 0.36f},  // slowing down
        {8.70, "FXStaticPos", 0.70f},  // a long feedback tail after the last note
        {8.70, "LXStaticPos", 0.20f},
    };
    return automation;
}

std::vector<MidiMessage> demoMessages() {
    std::vector<MidiMessage> messages;
    for (const DemoNote& n : demoNotes()) {
        const auto note = static_cast<std::uint8_t>(n.note);
        messages.push_back({n.start, {0x90, note, static_cast<std::uint8_t>(n.velocity)}, 3});
        messages.push_back({n.start + n.length, {0x80, note, 64}, 3});
    }
    std::stable_sort(messages.begin(), messages.end(),
                     [](const MidiMessage& a, const MidiMessage& b) { return a.seconds < b.seconds; });
    return messages;
}
