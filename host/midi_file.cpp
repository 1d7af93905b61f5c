#include "midi_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace {

// Real MIDI files are kilobytes; anything this large is not one.
constexpr std::size_t kMaxFileBytes = 64u << 20;
// Under 20000 microseconds per quarter note (3000 BPM) no music is written.
constexpr std::uint32_t kMinTempoMicros = 20000;
constexpr std::uint32_t kDefaultTempoMicros = 500000; // 120 BPM, as the format defines

std::string hexByte(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value & 0xFFu);
    return text;
}

// A cursor over one chunk that refuses to step past its end.
class Reader {
public:
    Reader(const std::uint8_t* begin, std::size_t size, std::size_t fileOffset, std::string where)
        : data(begin), size(size), fileOffset(fileOffset), where(std::move(where)) {}

    bool atEnd() const { return pos >= size; }
    std::size_t offset() const { return fileOffset + pos; }

    [[noreturn]] void fail(const std::string& what) const {
        throw MidiFileError(where + " at byte " + std::to_string(offset()) + ": " + what);
    }

    std::uint8_t byte() {
        if (pos >= size) {
            fail("truncated (the " + where + " ends inside an event)");
        }
        return data[pos++];
    }
    std::uint8_t peek() const { return pos < size ? data[pos] : 0; }

    // Variable-length quantity: seven bits a byte, at most four bytes.
    std::uint32_t quantity() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint8_t b = byte();
            value = (value << 7) | (b & 0x7Fu);
            if ((b & 0x80u) == 0) {
                return value;
            }
        }
        fail("variable-length number longer than four bytes");
    }

    void skip(std::uint32_t count, const char* what) {
        if (count > size - pos) {
            fail(std::string(what) + " of " + std::to_string(count) + " bytes runs past the end of the " + where);
        }
        pos += count;
    }
    const std::uint8_t* here() const { return data + pos; }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos = 0;
    std::size_t fileOffset;
    std::string where;
};

std::uint32_t bigEndian(const std::uint8_t* p, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        value = (value << 8) | p[i];
    }
    return value;
}

struct TickedMessage {
    std::uint64_t tick;
    int track;
    std::uint32_t order; // position within its track
    std::uint8_t bytes[3];
    std::uint8_t size;
};

struct TempoChange {
    std::uint64_t tick;
    int track;
    std::uint32_t order;
    std::uint32_t microsPerQuarter;
};

// Data bytes that follow each channel status (high nibble 0x8 to 0xE).
int dataBytesFor(std::uint8_t status) {
    switch (status & 0xF0u) {
    case 0xC0:
    case 0xD0:
        return 1;
    default:
        return 2;
    }
}

void readTrack(Reader& in, int track, std::vector<TickedMessage>& messages, std::vector<TempoChange>& tempos) {
    std::uint64_t tick = 0;
    std::uint32_t order = 0;
    std::uint8_t runningStatus = 0; // 0: none in force
    while (!in.atEnd()) {
        tick += in.quantity();
        std::uint8_t status = in.peek();
        if (in.atEnd()) {
            in.fail("truncated (a delta time with no event after it)");
        }
        if (status < 0x80) {
            if (runningStatus == 0) {
                in.fail("data byte " + hexByte(status) + " with no running status in force");
            }
            status = runningStatus;
        } else {
            in.byte();
        }

        if (status == 0xFF) {
            runningStatus = 0; // meta events cancel running status
            const std::uint8_t type = in.byte();
            const std::uint32_t length = in.quantity();
            const std::uint8_t* body = in.here();
            in.skip(length, "meta event");
            if (type == 0x2F) {
                return; // End of Track: whatever follows in the chunk is not part of it
            }
            if (type == 0x51) {
                if (length != 3) {
                    in.fail("tempo event of " + std::to_string(length) + " bytes (it must have 3)");
                }
                const std::uint32_t micros = bigEndian(body, 3);
                if (micros < kMinTempoMicros) {
                    in.fail("absurd tempo of " + std::to_string(micros) + " microseconds per quarter note");
                }
                tempos.push_back({tick, track, order++, micros});
            }
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            runningStatus = 0; // so do system exclusive events
            in.skip(in.quantity(), "system exclusive event");
            continue;
        }
        if (status >= 0xF0) {
            in.fail("status " + hexByte(status) + " cannot appear in a MIDI file");
        }

        runningStatus = status;
        TickedMessage message{tick, track, order++, {status, 0, 0}, 1};
        for (int i = 0; i < dataBytesFor(status); ++i) {
            const std::uint8_t data = in.byte();
            if (data >= 0x80) {
                in.fail("status byte " + hexByte(data) + " where a data byte of " + hexByte(status) +
                        " was expected");
            }
            message.bytes[message.size++] = data;
        }
        messages.push_back(message);
    }
    // A track without End of Track still ends with its chunk; only events
    // cut in half are refused, above.
}

template <typename T> bool earlier(const T& a, const T& b) {
    if (a.tick != b.tick) {
        return a.tick < b.tick;
    }
    if (a.track != b.track) {
        return a.track < b.track;
    }
    return a.order < b.order;
}

} // namespace

MidiSequence parseMidiFile(const std::uint8_t* data, std::size_t size) {
    if (size < 14 || std::memcmp(data, "MThd", 4) != 0) {
        throw MidiFileError("not a Standard MIDI File (no MThd header)");
    }
    const std::uint32_t headerLength = bigEndian(data + 4, 4);
    if (headerLength < 6 || headerLength > size - 8) {
        throw MidiFileError("header chunk length " + std::to_string(headerLength) + " is impossible in a file of " +
                            std::to_string(size) + " bytes");
    }
    MidiSequence sequence;
    sequence.format = static_cast<int>(bigEndian(data + 8, 2));
    const std::uint32_t announcedTracks = bigEndian(data + 10, 2);
    const std::uint32_t division = bigEndian(data + 12, 2);
    if (sequence.format == 2) {
        throw MidiFileError("format 2 (independent sequences) is not supported; only formats 0 and 1 are");
    }
    if (sequence.format > 2) {
        throw MidiFileError("unknown format " + std::to_string(sequence.format));
    }
    if (announcedTracks == 0) {
        throw MidiFileError("the header announces no tracks");
    }

    // Seconds per tick before tempo: SMPTE divisions fix it outright.
    double smpteSecondsPerTick = 0.0;
    std::uint32_t ticksPerQuarter = 0;
    if (division & 0x8000u) {
        const int framesPerSecond = -static_cast<int>(static_cast<std::int8_t>(division >> 8));
        const std::uint32_t ticksPerFrame = division & 0xFFu;
        if ((framesPerSecond != 24 && framesPerSecond != 25 && framesPerSecond != 29 && framesPerSecond != 30) ||
            ticksPerFrame == 0) {
            throw MidiFileError("SMPTE time division of " + std::to_string(framesPerSecond) + " frames per second and " +
                                std::to_string(ticksPerFrame) + " ticks per frame is not valid");
        }
        const double rate = framesPerSecond == 29 ? 30000.0 / 1001.0 : framesPerSecond; // 29 means 29.97 drop-frame
        smpteSecondsPerTick = 1.0 / (rate * ticksPerFrame);
    } else {
        ticksPerQuarter = division;
        if (ticksPerQuarter == 0) {
            throw MidiFileError("time division of 0 ticks per quarter note");
        }
    }

    std::vector<TickedMessage> ticked;
    std::vector<TempoChange> tempos;
    std::size_t pos = 8 + headerLength;
    int track = 0;
    while (static_cast<std::uint32_t>(track) < announcedTracks) {
        if (size - pos < 8) {
            throw MidiFileError("truncated: the header announces " + std::to_string(announcedTracks) +
                                " tracks but the file ends after " + std::to_string(track));
        }
        const std::uint32_t length = bigEndian(data + pos + 4, 4);
        if (length > size - pos - 8) {
            throw MidiFileError("chunk at byte " + std::to_string(pos) + " claims " + std::to_string(length) +
                                " bytes but only " + std::to_string(size - pos - 8) + " remain");
        }
        if (std::memcmp(data + pos, "MTrk", 4) == 0) {
            Reader in(data + pos + 8, length, pos + 8, "track " + std::to_string(track + 1));
            readTrack(in, track, ticked, tempos);
            ++track;
        } // chunks of other types are skipped, as the format asks
        pos += 8 + static_cast<std::size_t>(length);
    }
    sequence.trackCount = track;

    std::stable_sort(ticked.begin(), ticked.end(), earlier<TickedMessage>);
    std::stable_sort(tempos.begin(), tempos.end(), earlier<TempoChange>);

    // Walk the tempo map alongside the messages: each segment starts at a
    // tempo change, with its time in seconds already summed.
    std::uint64_t segmentTick = 0;
    double segmentSeconds = 0.0;
    std::uint32_t micros = kDefaultTempoMicros;
    if (!tempos.empty() && tempos.front().tick == 0) {
        micros = tempos.front().microsPerQuarter;
    }
    sequence.initialTempoBpm = 60.0e6 / micros;
    micros = kDefaultTempoMicros;
    auto secondsPerTick = [&]() {
        return smpteSecondsPerTick > 0.0 ? smpteSecondsPerTick : micros * 1e-6 / ticksPerQuarter;
    };
    std::size_t nextTempo = 0;
    sequence.messages.reserve(ticked.size());
    for (const TickedMessage& m : ticked) {
        while (nextTempo < tempos.size() && tempos[nextTempo].tick <= m.tick) {
            segmentSeconds += (tempos[nextTempo].tick - segmentTick) * secondsPerTick();
            segmentTick = tempos[nextTempo].tick;
            micros = tempos[nextTempo].microsPerQuarter;
            ++nextTempo;
        }
        const double seconds = segmentSeconds + (m.tick - segmentTick) * secondsPerTick();
        if (seconds > kMaxMidiSeconds) {
            throw MidiFileError("absurd delta times: an event at " + std::to_string(seconds / 3600.0) +
                                " hours, past the limit of " + std::to_string(int(kMaxMidiSeconds / 3600.0)) +
                                " hours");
        }
        sequence.messages.push_back({seconds, {m.bytes[0], m.bytes[1], m.bytes[2]}, m.size});
    }
    return sequence;
}

MidiSequence readMidiFile(const std::string& path) {
    struct stat status{};
    if (stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
        throw MidiFileError("cannot read " + path + ": it is a directory");
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw MidiFileError("cannot open " + path + ": " + std::strerror(errno));
    }
    std::vector<std::uint8_t> bytes;
    char buffer[65536];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        bytes.insert(bytes.end(), buffer, buffer + file.gcount());
        if (bytes.size() > kMaxFileBytes) {
            throw MidiFileError(path + " is larger than 64 MiB, too large for a MIDI file");
        }
    }
    if (file.bad()) {
        throw MidiFileError("cannot read " + path + ": " + std::strerror(errno));
    }
    try {
        return parseMidiFile(bytes.data(), bytes.size());
    } catch (const MidiFileError& error) {
        throw MidiFileError(path + ": " + error.what());
    }
}
