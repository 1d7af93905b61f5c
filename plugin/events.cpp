// MIDI: notes on any channel play the oscillator section's two axes.
#include "plugin/adelay.h"

namespace {

constexpr int kNoteOff = 0x80;
constexpr int kNoteOn = 0x90;
constexpr int kControlChange = 0xB0;
constexpr int kAllNotesOff = 123;
constexpr float kVelocityScale = 1.0f / 127.0f; // bit pattern 0x3C010204
constexpr float kNoteScale = 1.0f / 96.0f;      // bit pattern 0x3C2AAAAB
// Note 21 sits at the bottom of the pitch axis; eight octaves span it.
constexpr int kLowestNote = 21;

} // namespace

// Every event takes effect at once, whatever its frame offset; the next block
// starts from it. Hosts disagree about byteSize, so the type alone decides.
VstInt32 ADelay::processEvents(VstEvents* events) {
    if (events == nullptr) {
        return 1;
    }
    AxisRecord& pitch = axes[kAxisMY];
    AxisRecord& level = axes[kAxisMX];
    // The record declares two entries but holds numEvents: read them through
    // a pointer, not the array, whose bound the compiler may take at its word.
    VstEvent* const* const entries = events->events;
    for (VstInt32 i = 0; i < events->numEvents; ++i) {
        const VstEvent* event = entries[i];
        if (event == nullptr || event->type != kVstMidiType) {
            continue;
        }
        const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
        const int message = static_cast<unsigned char>(midi->midiData[0]) & 0xF0;
        const int number = midi->midiData[1] & 0x7F;
        const int velocity = midi->midiData[2] & 0x7F;

        if (message == kNoteOn && velocity > 0) {
            level.target = static_cast<float>(velocity * static_cast<double>(kVelocityScale));
            const double y = (number - kLowestNote) * static_cast<double>(kNoteScale);
            pitch.target = y >= 0.0 ? static_cast<float>(y) : 0.0f;
            pitch.held = true;
            level.held = true;
            heldNotes.add(number);
        } else if (message == kNoteOff || message == kNoteOn) {
            // The targets stay: remaining keys keep the latest note's pitch.
            heldNotes.removeAll(number);
            if (heldNotes.empty()) {
                pitch.held = false;
                level.held = false;
            }
        } else if (message == kControlChange && number == kAllNotesOff) {
            heldNotes.clear();
            pitch.held = false;
            level.held = false;
        }
    }
    return 1;
}
