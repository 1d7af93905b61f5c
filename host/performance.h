// What gets played: MIDI messages and parameter writes at their times, and
// how they fall into the blocks a plug-in is handed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "midi_file.h"

// A parameter write at a moment of the performance.
struct Automation {
    double seconds;
    int index;
    float value;
};

struct Performance {
    std::vector<MidiMessage> messages;
    std::vector<Automation> automation;
    double tempoBpm = 120.0; // reported to the plug-in as the transport's fixed tempo
};

// Time of the last message or automation write, 0 for an empty performance.
double lastEventSeconds(const Performance& performance);

enum class MidiOrder { NoteOff = 0, Other = 1, NoteOn = 2 };
// Where a message goes among messages of the same frame: releases first, so
// that a note repeated at one frame sounds again, then everything else
// (controllers, programs) so that a note starts with them in force.
MidiOrder midiOrder(const MidiMessage& message);

// One block as the plug-in receives it.
struct Block {
    std::int64_t start;  // first frame
    int frames;          // 1 to the block size
    std::size_t firstEvent, eventCount;  // into BlockSchedule::events()
    std::size_t firstWrite, writeCount;  // into BlockSchedule::writes(), made before the block
};

struct ScheduledMessage {
    std::int64_t frame;
    MidiMessage message;
};
struct ScheduledWrite {
    std::int64_t frame;
    int index;
    float value;
};

// Cuts [0, totalFrames) into blocks of blockSize frames on a fixed grid, and
// cuts a block again where an automation write falls, so that every write
// lands at the start of the block that contains its frame. Events are sorted
// by frame (releases before note-ons at one frame) and handed out with the
// block that contains them.
class BlockSchedule {
public:
    BlockSchedule(const Performance& performance, double sampleRate, int blockSize, std::int64_t totalFrames);

    bool next(Block& block);
    int blockLength() const { return blockSize; }
    std::int64_t totalFrames() const { return total; }
    // No block carries more messages than this: the most that fall into one
    // cell of the block grid (automation only cuts blocks shorter).
    std::size_t maxEventsPerBlock() const;
    const std::vector<ScheduledMessage>& events() const { return scheduled; }
    const std::vector<ScheduledWrite>& writes() const { return scheduledWrites; }

private:
    int blockSize;
    std::int64_t total;
    std::int64_t position = 0;
    std::size_t nextEvent = 0, nextWrite = 0;
    std::vector<ScheduledMessage> scheduled;
    std::vector<ScheduledWrite> scheduledWrites;
};

// The frame a time falls on, rounded to the nearest frame.
std::int64_t frameAt(double seconds, double sampleRate);

// Frames to render: the tail after the last event or after the end of the
// input, whichever is later; at least one frame past the last event so that
// it is delivered.
std::int64_t renderFrames(const Performance& performance, double sampleRate, double tailSeconds,
                          std::int64_t inputFrames);
