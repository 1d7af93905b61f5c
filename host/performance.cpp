#include "performance.h"

#include <algorithm>
#include <cmath>

double lastEventSeconds(const Performance& performance) {
    double last = 0.0;
    for (const MidiMessage& m : performance.messages) {
        last = std::max(last, m.seconds);
    }
    for (const Automation& a : performance.automation) {
        last = std::max(last, a.seconds);
    }
    return last;
}

MidiOrder midiOrder(const MidiMessage& message) {
    const std::uint8_t kind = message.bytes[0] & 0xF0u;
    if (kind == 0x80 || (kind == 0x90 && message.bytes[2] == 0)) {
        return MidiOrder::NoteOff;
    }
    return kind == 0x90 ? MidiOrder::NoteOn : MidiOrder::Other;
}

std::int64_t frameAt(double seconds, double sampleRate) {
    return static_cast<std::int64_t>(std::llround(seconds * sampleRate));
}

std::int64_t renderFrames(const Performance& performance, double sampleRate, double tailSeconds,
                          std::int64_t inputFrames) {
    const std::int64_t tail = frameAt(tailSeconds, sampleRate);
    std::int64_t total = inputFrames > 0 ? inputFrames + tail : 0;
    if (!performance.messages.empty() || !performance.automation.empty()) {
        const std::int64_t lastFrame = frameAt(lastEventSeconds(performance), sampleRate);
        total = std::max({total, lastFrame + tail, lastFrame + 1});
    } else if (inputFrames == 0) {
        total = tail;
    }
    return total;
}

BlockSchedule::BlockSchedule(const Performance& performance, double sampleRate, int blockSize,
                             std::int64_t totalFrames)
    : blockSize(blockSize), total(totalFrames) {
    scheduled.reserve(performance.messages.size());
    for (const MidiMessage& m : performance.messages) {
        scheduled.push_back({frameAt(m.seconds, sampleRate), m});
    }
    // Stable: messages of one frame and one kind keep the order they came in.
    std::stable_sort(scheduled.begin(), scheduled.end(), [](const ScheduledMessage& a, const ScheduledMessage& b) {
        if (a.frame != b.frame) {
            return a.frame < b.frame;
        }
        return midiOrder(a.message) < midiOrder(b.message);
    });
    scheduledWrites.reserve(performance.automation.size());
    for (const Automation& a : performance.automation) {
        scheduledWrites.push_back({frameAt(a.seconds, sampleRate), a.index, a.value});
    }
    std::stable_sort(scheduledWrites.begin(), scheduledWrites.end(),
                     [](const ScheduledWrite& a, const ScheduledWrite& b) { return a.frame < b.frame; });
}

std::size_t BlockSchedule::maxEventsPerBlock() const {
    std::size_t most = 0;
    for (std::size_t first = 0, i = 0; i < scheduled.size(); ++i) {
        while (scheduled[first].frame / blockSize != scheduled[i].frame / blockSize) {
            ++first;
        }
        most = std::max(most, i - first + 1);
    }
    return most;
}

bool BlockSchedule::next(Block& block) {
    if (position >= total) {
        return false;
    }
    std::int64_t end = std::min(total, (position / blockSize + 1) * blockSize);
    block.firstWrite = nextWrite;
    while (nextWrite < scheduledWrites.size() && scheduledWrites[nextWrite].frame <= position) {
        ++nextWrite;
    }
    block.writeCount = nextWrite - block.firstWrite;
    if (nextWrite < scheduledWrites.size() && scheduledWrites[nextWrite].frame < end) {
        end = scheduledWrites[nextWrite].frame;
    }
    block.firstEvent = nextEvent;
    while (nextEvent < scheduled.size() && scheduled[nextEvent].frame < end) {
        ++nextEvent;
    }
    block.eventCount = nextEvent - block.firstEvent;
    block.start = position;
    block.frames = static_cast<int>(end - position);
    position = end;
    return true;
}
