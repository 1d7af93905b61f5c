// Our reader of Standard MIDI Files (formats 0 and 1). It turns a file into
// the channel messages a plug-in hears, each at its time in seconds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

struct MidiMessage {
    double seconds;         // from the start of the file, through the tempo map
    std::uint8_t bytes[3];  // status, data 1, data 2 (unused bytes are 0)
    std::uint8_t size;      // 1 to 3
};

struct MidiSequence {
    int format = 0;
    int trackCount = 0;
    double initialTempoBpm = 120.0; // the tempo in force at tick 0
    // Channel messages of every track, merged and sorted by time; within one
    // time, in track order and then in the order of the file.
    std::vector<MidiMessage> messages;
};

// Every refusal: the text names what is wrong and where, in one line.
class MidiFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Longest performance the reader accepts; a later event means a broken or
// hostile delta, not music.
constexpr double kMaxMidiSeconds = 24.0 * 3600.0;

MidiSequence parseMidiFile(const std::uint8_t* data, std::size_t size);
MidiSequence readMidiFile(const std::string& path);
