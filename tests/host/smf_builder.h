// Builds Standard MIDI Files byte by byte, so that tests state exactly what
// a file holds, broken ones included.
#pragma once

#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline Bytes vlq(std::uint32_t value) {
    Bytes out{static_cast<std::uint8_t>(value & 0x7F)};
    while (value >>= 7) {
        out.insert(out.begin(), static_cast<std::uint8_t>(0x80 | (value & 0x7F)));
    }
    return out;
}

inline Bytes be(std::uint32_t value, int bytes) {
    Bytes out;
    for (int i = bytes - 1; i >= 0; --i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    return out;
}

inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// One track's body: append events as (delta, bytes).
struct Track {
    Bytes body;
    Track& event(std::uint32_t delta, std::initializer_list<std::uint8_t> bytes) {
        body = body + vlq(delta) + Bytes(bytes);
        return *this;
    }
    Track& tempo(std::uint32_t delta, std::uint32_t microsPerQuarter) {
        body = body + vlq(delta) + Bytes{0xFF, 0x51, 0x03} + be(microsPerQuarter, 3);
        return *this;
    }
    Track& end(std::uint32_t delta = 0) { return event(delta, {0xFF, 0x2F, 0x00}); }
    Bytes chunk() const { return Bytes{'M', 'T', 'r', 'k'} + be(static_cast<std::uint32_t>(body.size()), 4) + body; }
};

inline Bytes header(int format, int tracks, int division) {
    return Bytes{'M', 'T', 'h', 'd'} + be(6, 4) + be(format, 2) + be(tracks, 2) + be(division, 2);
}

inline Bytes midiFile(int format, int division, std::initializer_list<Track> tracks) {
    Bytes file = header(format, static_cast<int>(tracks.size()), division);
    for (const Track& t : tracks) {
        file = file + t.chunk();
    }
    return file;
}

inline void writeBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}
