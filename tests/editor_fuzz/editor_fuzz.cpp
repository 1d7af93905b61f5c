// libFuzzer target: the editor's mouse handling on the software back end.
// One instance lives across inputs, so that short inputs add up to long
// sessions; its parameters and notes go back to where they started only when
// a step asks, and its editor is closed and opened again when a step asks.
// After every step the invariants are checked; the sanitizers watch memory.
// The editor handles no key, so there is none to send. (Messages and idles
// that reach a closed editor are the stress test's and the X11 tests'.)
//
// Each step is one byte saying what happens, then the bytes that step
// needs; kStepWeights says how many of the 256 values of the first byte
// stand for each step:
//   press on a control   control, x and y within it (3 bytes)
//   press, move, release a position packed as X11 and Win32 pack it (4 bytes, low byte first)
//   move by              dx, dy (2 signed bytes)
//   host parameter       index (-3 to 92), value (one of kHostValues) (2 bytes)
//   note                 on or off, note (2 bytes)
//   reopen               kReopenConfirmation, or nothing happens (1 byte)
//   paint, idle, audio block, reset (none)
#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <limits>
#include <vector>

#include "editor/control_layout.h"
#include "tests/support/editor_window_access.h"
#include "vst2/adelay.h"
#include "vst2/plugin_entry.h"

namespace {

enum class Step : std::uint8_t {
    pressOnControl,
    press,
    move,
    moveBy,
    release,
    hostParameter,
    note,
    paint,
    idle,
    reopen,
    audioBlock,
    reset,
};

struct StepWeight {
    Step step;
    int values;
};

// Mostly the mouse. A repaint of the whole panel costs as much as a hundred
// presses, so the steps that only repaint come less often; a second still
// holds thousands of inputs, each of a few steps.
constexpr StepWeight kStepWeights[] = {
    {Step::pressOnControl, 48}, {Step::press, 16}, {Step::move, 32}, {Step::moveBy, 40}, {Step::release, 56},
    {Step::hostParameter, 32},  {Step::note, 17},  {Step::paint, 3}, {Step::idle, 3},    {Step::reopen, 1},
    {Step::audioBlock, 7},      {Step::reset, 1},
};

constexpr int totalWeight() {
    int total = 0;
    for (const StepWeight& weight : kStepWeights) {
        total += weight.values;
    }
    return total;
}
static_assert(totalWeight() == 256, "the weights share out the values of a byte");

constexpr std::array<Step, 256> makeStepTable() {
    std::array<Step, 256> table{};
    std::size_t next = 0;
    for (const StepWeight& weight : kStepWeights) {
        for (int value = 0; value < weight.values; ++value) {
            table[next++] = weight.step;
        }
    }
    return table;
}
constexpr std::array<Step, 256> kStepTable = makeStepTable();

// A reopen costs as much as ten repaints (a new back buffer), and a real
// editor sees thousands of mouse messages between one opening and the next;
// so a reopen takes this second byte too, which a random byte rarely is.
constexpr std::uint8_t kReopenConfirmation = 0x5A;

const float kHostValues[] = {std::numeric_limits<float>::quiet_NaN(),
                             std::numeric_limits<float>::infinity(),
                             -std::numeric_limits<float>::infinity(),
                             std::numeric_limits<float>::denorm_min(),
                             -1.0f,
                             0.0f,
                             0.25f,
                             0.5f,
                             1.0f,
                             2.0f,
                             1.0e30f};

void check(bool invariant) {
    if (!invariant) {
        __builtin_trap();
    }
}

// Every automation the editor reports must be one a knob or a pad can set.
VstIntPtr VSTCALLBACK checkingHost(AEffect* /*effect*/, VstInt32 opcode, VstInt32 index, VstIntPtr /*value*/,
                                   void* /*ptr*/, float opt) {
    if (opcode == audioMasterVersion) {
        return 2400;
    }
    if (opcode == audioMasterAutomate) {
        check(isParameter(index) && opt >= 0.0f && opt <= 1.0f);
    }
    return 0;
}

// The bytes of one input, read front to back; past the end everything is 0.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}
    bool done() const { return next >= size; }
    std::uint8_t byte() { return next < size ? data[next++] : 0; }
    std::uint32_t word() {
        std::uint32_t value = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            value |= std::uint32_t{byte()} << shift;
        }
        return value;
    }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t next = 0;
};

class FuzzedEditor {
public:
    FuzzedEditor() : effect(openPluginInstance(checkingHost)), left(kBlockFrames), right(kBlockFrames) {
        check(effect != nullptr);
        open();
    }

    void play(Bytes& bytes) {
        while (!bytes.done()) {
            step(bytes);
        }
    }

private:
    static constexpr VstInt32 kBlockFrames = 64;

    void step(Bytes& bytes) {
        switch (kStepTable[bytes.byte()]) {
        case Step::pressOnControl: {
            const ControlRect& rect = controlRects[bytes.byte() % kControlCount];
            const std::int32_t x = rect.x + (rect.width > 0 ? bytes.byte() % rect.width : 0);
            const std::int32_t y = rect.y + (rect.height > 0 ? bytes.byte() % rect.height : 0);
            send(XplatMessage::leftButtonDown, packedPointer(x, y));
            break;
        }
        case Step::press:
            send(XplatMessage::leftButtonDown, bytes.word());
            break;
        case Step::move:
            send(XplatMessage::mouseMove, bytes.word());
            break;
        case Step::moveBy: {
            const auto dx = static_cast<std::int8_t>(bytes.byte());
            const auto dy = static_cast<std::int8_t>(bytes.byte());
            send(XplatMessage::mouseMove, packedPointer(pointer.x + dx, pointer.y + dy));
            break;
        }
        case Step::release:
            send(XplatMessage::leftButtonUp, bytes.word());
            checkReleased();
            break;
        case Step::hostParameter: {
            const VstInt32 index = bytes.byte() % (NumParams + 6) - 3;
            effect->setParameter(effect, index, kHostValues[bytes.byte() % std::size(kHostValues)]);
            break;
        }
        case Step::note: {
            const int status = bytes.byte() % 2 == 0 ? 0x90 : 0x80;
            midi(status, bytes.byte() & 0x7F);
            break;
        }
        case Step::paint:
            send(XplatMessage::paint, 0);
            break;
        case Step::idle:
            dispatch(effEditIdle);
            break;
        case Step::reopen:
            if (bytes.byte() == kReopenConfirmation) {
                dispatch(effEditClose);
                open();
            }
            break;
        case Step::audioBlock: {
            float* channels[2] = {left.data(), right.data()};
            effect->processReplacing(effect, nullptr, channels, kBlockFrames);
            break;
        }
        case Step::reset:
            reset();
            break;
        }
    }

    // Messages reach the editor only while its window is open, as a window
    // system's would; the back end drops them otherwise.
    void send(XplatMessage message, std::uint32_t packedPosition) {
        if (message != XplatMessage::paint) {
            pointer = xplatDecodePointer(packedPosition);
        }
        xplatSoftwareSendMessage(editorWindowOf(effect), message, packedPosition);
    }

    // A release lets go of every axis and of the pointer.
    void checkReleased() {
        check(!xplatSoftwareHasCapture(editorWindowOf(effect)));
        for (const AxisRecord& axis : static_cast<ADelay*>(instanceOf(effect))->engine.axes) {
            check(!axis.held);
        }
    }

    void midi(int status, int note) {
        VstMidiEvent event{};
        event.type = kVstMidiType;
        event.byteSize = sizeof event;
        event.midiData[0] = static_cast<char>(status);
        event.midiData[1] = static_cast<char>(note);
        event.midiData[2] = 100;
        VstEvents events{};
        events.numEvents = 1;
        events.events[0] = reinterpret_cast<VstEvent*>(&event);
        effect->dispatcher(effect, effProcessEvents, 0, 0, &events, 0.0f);
    }

    void open() { check(dispatch(effEditOpen) == 1); }

    // Every parameter back to its default and every note off, as a host does
    // when it loads a project into an open editor.
    void reset() {
        for (VstInt32 index = 0; index < NumParams; ++index) {
            effect->setParameter(effect, index, kParameterTable[static_cast<std::size_t>(index)].defaultValue);
        }
        midi(0xB0, 123);
    }

    VstIntPtr dispatch(VstInt32 opcode) { return effect->dispatcher(effect, opcode, 0, 0, nullptr, 0.0f); }

    AEffect* effect;
    XplatPointer pointer{0, 0};
    std::vector<float> left;
    std::vector<float> right;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzedEditor editor;
    Bytes bytes(data, size);
    editor.play(bytes);
    return 0;
}
