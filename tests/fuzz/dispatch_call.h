// One dispatcher call read from the fuzzer's input: any opcode (effClose
// aside, which only a reset sends), any index, value and opt, and a ptr made
// as a host makes it for that opcode. Where the interface fixes the size of
// what ptr points at (a name of 14 bytes, an ERect* to fill), the buffer has
// exactly that size; where the plug-in must cope with whatever comes (ptr
// that it should not touch, data whose size travels in value), the size is
// fuzzed too. Sometimes ptr is null, as some hosts send it.
#pragma once

#include <cstddef>
#include <memory>

#include "exact_buffer.h"
#include "fuzz_input.h"
#include "fuzzed_events.h"

class DispatchCall {
public:
    explicit DispatchCall(InputReader& input);

    // Sends the call and checks what came back; aborts on a broken promise.
    void send(AEffect* effect);

    VstInt32 code() const { return opcode; }

    // The event list sent with effProcessEvents, which a host keeps until
    // the next block has been processed.
    std::unique_ptr<FuzzedEvents> takeEvents() { return std::move(events); }

private:
    enum class PtrUse {
        untouched,
        textOut,
        textIn,
        rectOut,
        rectIn,
        chunkOut,
        sizedByValue,
        eventList,
        pinOut,
        parentWindow,
        twoRecords
    };

    static PtrUse ptrUse(VstInt32 opcode);
    static std::size_t textCapacity(VstInt32 opcode);
    void makePtr(InputReader& input, std::uint8_t pointerByte);
    void checkAnswer(VstIntPtr answer) const;

    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    float opt;
    void* ptr = nullptr;
    ExactBuffer buffer;
    ExactBuffer second;
    std::unique_ptr<FuzzedEvents> events;
};
