// libFuzzer target: any bytes either parse or are refused with MidiFileError;
// nothing else may happen (the sanitizers watch the rest).
#include <cstddef>
#include <cstdint>

#include "host/midi_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const MidiSequence sequence = parseMidiFile(data, size);
        double previous = 0.0;
        for (const MidiMessage& m : sequence.messages) {
            // Sorted, within the limit, and real channel messages.
            if (m.seconds < previous || m.seconds > kMaxMidiSeconds || m.bytes[0] < 0x80 || m.bytes[0] >= 0xF0 ||
                m.size < 2) {
                __builtin_trap();
            }
            previous = m.seconds;
        }
    } catch (const MidiFileError&) {
    }
    return 0;
}
