#include "fuzzed_events.h"

#include <cstddef>

namespace {

// More than any block of a real performance holds.
constexpr int kMaxEntries = 64;

// The published SysEx event. The plug-in reads no more than an event's type,
// so its own declarations have no use for this record.
struct VstMidiSysexEvent {
    VstInt32 type; // kVstSysExType
    VstInt32 byteSize;
    VstInt32 deltaFrames;
    VstInt32 flags;
    VstInt32 dumpBytes;
    VstIntPtr resvd1;
    char* sysexDump;
    VstIntPtr resvd2;
};

// A host that lies about numEvents beyond its own array cannot be survived
// by any plug-in; every other count can.
VstInt32 claimedCount(InputReader& input, int entries) {
    switch (input.choice<EventCount>()) {
    case EventCount::exact:
        return entries;
    case EventCount::fewer:
        return entries > 0 ? input.byte() % entries : 0;
    case EventCount::negative:
        return input.index() | INT32_MIN;
    default:
        return 0;
    }
}

} // namespace

FuzzedEvents::FuzzedEvents(InputReader& input) {
    const int entries = input.byte() % (kMaxEntries + 1);
    const std::size_t listBytes = offsetof(VstEvents, events) + sizeof(VstEvent*) * static_cast<std::size_t>(entries);
    header = ExactBuffer(listBytes, 0);
    list()->numEvents = claimedCount(input, entries);
    list()->reserved = input.value();
    auto** slots = reinterpret_cast<VstEvent**>(header.as<char>() + offsetof(VstEvents, events));
    for (int i = 0; i < entries; ++i) {
        slots[i] = makeEvent(input);
    }
}

VstEvent* FuzzedEvents::makeEvent(InputReader& input) {
    const EventShape shape = input.choice<EventShape>();
    if (shape == EventShape::null) {
        return nullptr;
    }
    if (shape == EventShape::midi) {
        records.emplace_back(sizeof(VstMidiEvent), 0);
        auto* midi = records.back().as<VstMidiEvent>();
        midi->type = kVstMidiType;
        for (int i = 0; i < 3; ++i) {
            midi->midiData[i] = static_cast<char>(input.byte());
        }
        midi->deltaFrames = input.index();
        midi->byteSize = input.index();
        midi->noteLength = input.index();
        midi->detune = static_cast<char>(input.byte());
        return reinterpret_cast<VstEvent*>(midi);
    }
    if (shape == EventShape::sysex) {
        records.emplace_back(sizeof(VstMidiSysexEvent), 0);
        auto* sysex = records.back().as<VstMidiSysexEvent>();
        sysex->type = kVstSysExType;
        sysex->dumpBytes = input.byte();
        sysex->deltaFrames = input.index();
        sysex->byteSize = input.index();
        records.emplace_back(static_cast<std::size_t>(sysex->dumpBytes), 0xF7);
        sysex->sysexDump = records.back().as<char>();
        return reinterpret_cast<VstEvent*>(sysex);
    }
    // Any type number, in a record of the generic event's size.
    records.emplace_back(sizeof(VstEvent), 0);
    auto* event = records.back().as<VstEvent>();
    event->type = input.index();
    event->byteSize = input.index();
    event->deltaFrames = input.index();
    for (char& b : event->data) {
        b = static_cast<char>(input.byte());
    }
    return event;
}
