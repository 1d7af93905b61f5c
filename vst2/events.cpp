// MIDI from the host: each event's message goes to the engine as it comes.
#include "vst2/adelay.h"

// Every event takes effect at once, whatever its frame offset; the next block
// starts from it. Hosts disagree about byteSize, so the type alone decides.
VstInt32 ADelay::processEvents(VstEvents* events) {
    if (events == nullptr) {
        return 1;
    }
    // The record declares two entries but holds numEvents: read them through
    // a pointer, not the array, whose bound the compiler may take at its word.
    VstEvent* const* const entries = events->events;
    for (VstInt32 i = 0; i < events->numEvents; ++i) {
        const VstEvent* event = entries[i];
        if (event == nullptr || event->type != kVstMidiType) {
            continue;
        }
        const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
        engine.handleMidi(static_cast<std::uint8_t>(midi->midiData[0]), static_cast<std::uint8_t>(midi->midiData[1]),
                          static_cast<std::uint8_t>(midi->midiData[2]));
    }
    return 1;
}
