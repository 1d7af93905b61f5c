// An event list as a host builds it for effProcessEvents, read from the
// fuzzer's input: MIDI, SysEx and unknown events with any offsets, sizes and
// bytes, null entries, and counts that are negative or smaller than the
// list. Every record and the list itself are blocks of their exact size.
#pragma once

#include <vector>

#include "exact_buffer.h"
#include "fuzz_input.h"

class FuzzedEvents {
public:
    explicit FuzzedEvents(InputReader& input);

    VstEvents* list() const { return header.as<VstEvents>(); }

private:
    VstEvent* makeEvent(InputReader& input);

    ExactBuffer header;
    std::vector<ExactBuffer> records;
};
