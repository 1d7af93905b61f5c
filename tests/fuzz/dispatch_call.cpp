#include "dispatch_call.h"

#include <cstring>

#include "fuzz_failure.h"

namespace {

// What the host fills its buffers with before the call, so that it sees
// which bytes the plug-in wrote.
constexpr unsigned char kUnwritten = 0xA5;
// Data whose size travels in value (effSetChunk, effVendorSpecific) up to
// this size is made; a host cannot hand over more than it has.
constexpr VstIntPtr kMaxSizedBuffer = VstIntPtr{1} << 20;

// Reads every byte, so that AddressSanitizer sees memory that is not there.
void readAll(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const volatile unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
        (void)bytes[i];
    }
}

bool unwritten(const char* text, std::size_t capacity) {
    for (std::size_t i = 0; i < capacity; ++i) {
        if (static_cast<unsigned char>(text[i]) != kUnwritten) {
            return false;
        }
    }
    return true;
}

// Text the plug-in wrote ends inside the buffer; a host would read on otherwise.
bool terminatedIfWritten(const char* text, std::size_t capacity) {
    return unwritten(text, capacity) || std::memchr(text, '\0', capacity) != nullptr;
}

} // namespace

DispatchCall::DispatchCall(InputReader& input)
    : opcode(input.opcode()), index(input.index()), value(input.value()), opt(input.real()) {
    const std::uint8_t pointerByte = input.byte();
    if (pointerByte != 0) {
        makePtr(input, pointerByte);
    }
}

DispatchCall::PtrUse DispatchCall::ptrUse(VstInt32 opcode) {
    switch (opcode) {
    case effGetProgramName:
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
    case effGetProgramNameIndexed:
    case effGetEffectName:
    case effGetErrorText:
    case effGetVendorString:
    case effGetProductString:
        return PtrUse::textOut;
    case effSetProgramName:
    case effString2Parameter:
    case effCanDo:
        return PtrUse::textIn;
    case effEditGetRect:
        return PtrUse::rectOut;
    case effEditDraw:
        return PtrUse::rectIn;
    case effGetChunk:
        return PtrUse::chunkOut;
    case effSetChunk:
    case effVendorSpecific:
        return PtrUse::sizedByValue;
    case effProcessEvents:
        return PtrUse::eventList;
    case effGetInputProperties:
    case effGetOutputProperties:
        return PtrUse::pinOut;
    case effEditOpen:
        return PtrUse::parentWindow;
    case effSetSpeakerArrangement:
        return PtrUse::twoRecords;
    default:
        return PtrUse::untouched;
    }
}

// The text buffers as the interface sizes them, terminator included. Names
// run to 13 characters here; hosts give them 14 bytes or more.
std::size_t DispatchCall::textCapacity(VstInt32 opcode) {
    switch (opcode) {
    case effGetProgramName:
    case effGetProgramNameIndexed:
        return kVstMaxProgNameLen + 1;
    case effGetParamLabel:
    case effGetParamDisplay:
        return kVstMaxParamStrLen + 1;
    case effGetParamName:
        return 14;
    case effGetEffectName:
        return kVstMaxEffectNameLen;
    case effGetErrorText:
        return 256;
    default: // effGetVendorString, effGetProductString
        return kVstMaxVendorStrLen;
    }
}

void DispatchCall::makePtr(InputReader& input, std::uint8_t pointerByte) {
    switch (ptrUse(opcode)) {
    case PtrUse::textOut:
        buffer = ExactBuffer(textCapacity(opcode), kUnwritten);
        break;
    case PtrUse::textIn: {
        // Any bytes, a zero among them ending the text early; one more for the terminator.
        const std::size_t length = pointerByte - 1u;
        buffer = ExactBuffer(length + 1, 0);
        for (std::size_t i = 0; i < length; ++i) {
            buffer.as<unsigned char>()[i] = input.byte();
        }
        break;
    }
    case PtrUse::rectOut:
    case PtrUse::chunkOut:
        buffer = ExactBuffer(sizeof(void*), 0);
        break;
    case PtrUse::rectIn:
        buffer = ExactBuffer(sizeof(ERect), pointerByte);
        break;
    case PtrUse::sizedByValue:
        if (value < 0 || value > kMaxSizedBuffer) {
            return;
        }
        buffer = ExactBuffer(static_cast<std::size_t>(value), pointerByte);
        break;
    case PtrUse::eventList:
        events = std::make_unique<FuzzedEvents>(input);
        ptr = events->list();
        return;
    case PtrUse::pinOut:
        buffer = ExactBuffer(sizeof(VstPinProperties), kUnwritten);
        break;
    case PtrUse::parentWindow:
        // An X window id; the fuzzer runs without a display, so the editor
        // finds no server to look it up on.
        ptr = reinterpret_cast<void*>(static_cast<std::uintptr_t>(pointerByte));
        return;
    case PtrUse::twoRecords:
        // The input arrangement travels in value, the output one in ptr.
        second = ExactBuffer(pointerByte - 1u, kUnwritten);
        value = reinterpret_cast<VstIntPtr>(second.data());
        buffer = ExactBuffer(input.byte(), kUnwritten);
        break;
    case PtrUse::untouched:
        buffer = ExactBuffer(pointerByte - 1u, kUnwritten);
        break;
    }
    ptr = buffer.data();
}

void DispatchCall::send(AEffect* effect) {
    checkAnswer(effect->dispatcher(effect, opcode, index, value, ptr, opt));
}

void DispatchCall::checkAnswer(VstIntPtr answer) const {
    if (ptr == nullptr) {
        return;
    }
    switch (ptrUse(opcode)) {
    case PtrUse::textOut:
        require(terminatedIfWritten(buffer.as<char>(), buffer.size()), "text it writes ends inside the buffer");
        break;
    case PtrUse::rectOut:
        if (const ERect* rect = *buffer.as<ERect*>()) {
            readAll(rect, sizeof *rect);
            require(rect->right > rect->left && rect->bottom > rect->top, "the editor's rectangle has an area");
        }
        break;
    case PtrUse::chunkOut:
        require(answer >= 0, "a chunk's size is not negative");
        if (answer > 0) {
            const void* chunk = *buffer.as<void*>();
            require(chunk != nullptr, "a chunk with a size has data");
            readAll(chunk, static_cast<std::size_t>(answer));
        }
        break;
    case PtrUse::pinOut: {
        const auto* pin = buffer.as<VstPinProperties>();
        require(terminatedIfWritten(pin->label, sizeof pin->label), "a pin's label ends inside its field");
        require(terminatedIfWritten(pin->shortLabel, sizeof pin->shortLabel),
                "a pin's short label ends inside its field");
        break;
    }
    default:
        break;
    }
}
