// The language of the boundary fuzzer's inputs: a stream of steps, each a
// step byte followed by its arguments, read front to back. Every byte string
// is a valid input: a stream that runs out reads as zeros. The seed writer
// speaks the same language through InputWriter.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "vst2/editor_picture_request.h"
#include "vst2/vst2.h"

// What a host can do to a plug-in, one per step. The step byte picks one of
// the first six by its value modulo 6; only the two bytes of kResetMark
// reset, since a new instance costs as much as a thousand ordinary steps and
// finds nothing new after the first few.
enum class Step : std::uint8_t {
    dispatch,         // opcode, index, value, opt, then the opcode's ptr argument
    setParameter,     // index, value
    getParameter,     // index
    events,           // an event list for the next block (kept until that block is done)
    processReplacing, // frames, inputs and outputs
    process,          // the same through the accumulating entry
    count,
    reset // effClose, then main again with a version answer
};
constexpr std::uint8_t kResetMark[] = {0xFF, 'R'};

// How an event-list step says how many entries the list holds.
enum class EventCount : std::uint8_t { exact, fewer, negative, none, count };

// The shapes of one entry of an event list.
enum class EventShape : std::uint8_t { null, midi, sysex, otherType, count };

// How a process step hands over its channel pointers.
enum class Channels : std::uint8_t { both, leftOnly, rightOnly, noOutputs, withInputs, count };

// Numbers are a selector byte first. Below kSpecialSelector it is a small
// number itself; kRawSelector is followed by the raw bytes of the value; the
// selectors between pick one of the special values below, the ones hosts
// get wrong.
constexpr std::uint8_t kSpecialSelector = 0xE0;
constexpr std::uint8_t kRawSelector = 0xFF;
// Small indices and values run from -16, so that a byte reaches just below 0
// as well as every parameter and just past them.
constexpr int kSmallOffset = 16;
// Small floats are the selector over this: 0 to a little above 1.
constexpr float kSmallFloatScale = 192.0f;
// Opcodes reached with one byte: 0 to 71, past the last VST 2.0 opcode (58).
constexpr int kSmallOpcodes = 72;
// Block lengths. Most selectors are a short block of up to 63 frames (every
// frame costs the engine's full work, and the fuzzer's reach is its speed);
// from kLongFrames two more bytes give any length up to kMaxFrames; from
// kNegativeFrames a negative length, which hosts have sent.
constexpr std::uint8_t kShortFrames = 64;
constexpr std::uint8_t kLongFrames = 0xF0;
constexpr std::uint8_t kNegativeFrames = 0xFC;
constexpr int kMaxFrames = 4095;

const std::int32_t kSpecialInts[] = {INT32_MIN, INT32_MAX, INT32_MIN + 1, INT32_MAX - 1, 1 << 16, -(1 << 16),
                                     1 << 30,   -(1 << 30), 1000,         -1000,         kEditorPictureRequest};
const std::int64_t kSpecialValues[] = {INT64_MIN, INT64_MAX, INT32_MIN, INT32_MAX, std::int64_t{1} << 32, -1000,
                                       kEditorPictureBytes};
const std::int32_t kNegativeFrameCounts[] = {-1, -64, -4096, INT32_MIN};
const std::uint32_t kSpecialFloatBits[] = {
    0x7FC00000, // quiet NaN
    0xFFC00000, // negative quiet NaN
    0x7F800001, // signalling NaN
    0x7FC12345, // NaN with a payload
    0x7F800000, // +infinity
    0xFF800000, // -infinity
    0x80000000, // -0
    0x00000001, // the smallest denormal
    0x007FFFFF, // the largest denormal
    0x00800000, // the smallest normal
    0x7F7FFFFF, // the largest float
    0xFF7FFFFF, // the most negative float
    0xBF800000, // -1
    0x40000000, // 2
    0x501502F9, // 1e10
    0x3F7FFFFF, // just below 1
    0x3F800001, // just above 1
    0x472C4400, // 44100
    0x473B8000, // 48000
    0x48BB8000, // 384000
    0x3F000000, // 0.5
    0xC61C4000, // -10000
};

template <typename T, std::size_t N> T pick(const T (&table)[N], std::uint8_t selector) {
    return table[(selector - kSpecialSelector) % N];
}

class InputReader {
public:
    InputReader(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}

    bool done() const { return position >= size; }

    std::uint8_t byte() { return position < size ? data[position++] : 0; }

    template <typename T> T raw() {
        unsigned char bytes[sizeof(T)] = {};
        for (unsigned char& b : bytes) {
            b = byte();
        }
        T value;
        std::memcpy(&value, bytes, sizeof value);
        return value;
    }

    template <typename E> E choice() { return static_cast<E>(byte() % static_cast<std::uint8_t>(E::count)); }

    Step step() {
        const std::uint8_t selector = byte();
        if (selector == kResetMark[0] && position < size && data[position] == kResetMark[1]) {
            ++position;
            return Step::reset;
        }
        return static_cast<Step>(selector % static_cast<std::uint8_t>(Step::count));
    }

    std::int32_t index() {
        const std::uint8_t selector = byte();
        if (selector < kSpecialSelector) {
            return selector - kSmallOffset;
        }
        return selector == kRawSelector ? raw<std::int32_t>() : pick(kSpecialInts, selector);
    }

    // Any opcode but effClose, which only the reset step sends: one byte for
    // 0 to 71, else a raw 32-bit number.
    VstInt32 opcode() {
        const std::uint8_t selector = byte();
        if (selector == kRawSelector) {
            const VstInt32 any = raw<VstInt32>();
            return any == effClose ? kSmallOpcodes : any;
        }
        const int small = selector % (kSmallOpcodes - 1);
        return small < effClose ? small : small + 1;
    }

    VstIntPtr value() {
        const std::uint8_t selector = byte();
        if (selector < kSpecialSelector) {
            return selector - kSmallOffset;
        }
        // On a 32-bit host the wide specials arrive cut to the pointer's width.
        return static_cast<VstIntPtr>(selector == kRawSelector ? raw<std::int64_t>() : pick(kSpecialValues, selector));
    }

    float real() {
        const std::uint8_t selector = byte();
        if (selector < kSpecialSelector) {
            return static_cast<float>(selector) / kSmallFloatScale;
        }
        if (selector == kRawSelector) {
            return raw<float>();
        }
        const std::uint32_t bits = pick(kSpecialFloatBits, selector);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    std::int32_t frames() {
        const std::uint8_t selector = byte();
        if (selector < kLongFrames) {
            return selector % kShortFrames;
        }
        if (selector < kNegativeFrames) {
            const int high = byte();
            return (high << 8 | byte()) % (kMaxFrames + 1);
        }
        return kNegativeFrameCounts[selector - kNegativeFrames];
    }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position = 0;
};

// Writes what InputReader reads.
class InputWriter {
public:
    InputWriter& byte(std::uint8_t b) {
        bytes.push_back(b);
        return *this;
    }
    InputWriter& step(Step s) {
        return s == Step::reset ? byte(kResetMark[0]).byte(kResetMark[1]) : byte(static_cast<std::uint8_t>(s));
    }
    template <typename E> InputWriter& choice(E e) { return byte(static_cast<std::uint8_t>(e)); }
    template <typename T> InputWriter& raw(T value) {
        unsigned char out[sizeof(T)];
        std::memcpy(out, &value, sizeof value);
        bytes.insert(bytes.end(), out, out + sizeof out);
        return *this;
    }

    // A small number (-16 to 207) as index or value, else its raw bytes.
    InputWriter& index(std::int32_t index) {
        return index >= -kSmallOffset && index < kSpecialSelector - kSmallOffset
                   ? byte(static_cast<std::uint8_t>(index + kSmallOffset))
                   : byte(kRawSelector).raw(index);
    }
    InputWriter& opcode(VstInt32 opcode) {
        return opcode > effClose && opcode < kSmallOpcodes ? byte(static_cast<std::uint8_t>(opcode - 1))
               : opcode == effOpen                        ? byte(0)
                                                          : byte(kRawSelector).raw(opcode);
    }
    InputWriter& value(std::int64_t value) {
        return value >= -kSmallOffset && value < kSpecialSelector - kSmallOffset
                   ? byte(static_cast<std::uint8_t>(value + kSmallOffset))
                   : byte(kRawSelector).raw(value);
    }
    // A small float in one byte where the selector can say it exactly.
    InputWriter& real(float value) {
        const float scaled = value * kSmallFloatScale;
        if (scaled >= 0.0f && scaled < kSpecialSelector && scaled == static_cast<float>(static_cast<int>(scaled))) {
            return byte(static_cast<std::uint8_t>(scaled));
        }
        return byte(kRawSelector).raw(value);
    }
    InputWriter& special(std::size_t which) { return byte(static_cast<std::uint8_t>(kSpecialSelector + which)); }
    InputWriter& frames(int count) {
        if (count >= 0 && count < kShortFrames) {
            return byte(static_cast<std::uint8_t>(count));
        }
        return byte(kLongFrames).byte(static_cast<std::uint8_t>(count >> 8)).byte(static_cast<std::uint8_t>(count));
    }

    std::vector<std::uint8_t> bytes;
};
