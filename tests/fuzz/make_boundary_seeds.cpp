// Writes the boundary fuzzer's starting corpus: sessions of the kinds hosts
// run, so that the fuzzer starts from calls that reach every part of the
// plug-in rather than from noise.
#include <fstream>
#include <string>

#include "fuzz_input.h"

namespace {

// Special values by their place in kSpecialFloatBits.
constexpr std::size_t kQuietNaN = 0;
constexpr std::size_t kInfinity = 4;
constexpr std::size_t kMinusInfinity = 5;
constexpr std::size_t kSmallestDenormal = 7;
constexpr std::size_t kLargestFloat = 10;
// A ptr byte that asks for a buffer (of 8 bytes where the size is fuzzed).
constexpr std::uint8_t kSomeBuffer = 9;

InputWriter& dispatch(InputWriter& in, VstInt32 opcode, VstInt32 index = 0, std::int64_t value = 0,
                      float opt = 0.0f, std::uint8_t pointerByte = 0) {
    return in.step(Step::dispatch).opcode(opcode).index(index).value(value).real(opt).byte(pointerByte);
}

InputWriter& block(InputWriter& in, int frames, Channels channels = Channels::both) {
    return in.step(Step::processReplacing).frames(frames).choice(channels);
}

InputWriter& setParameter(InputWriter& in, VstInt32 index, float value) {
    return in.step(Step::setParameter).index(index).real(value);
}

// One MIDI message in a list of one entry.
InputWriter& midi(InputWriter& in, std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    in.step(Step::events).byte(1).choice(EventCount::exact).value(0);
    return in.choice(EventShape::midi).byte(status).byte(data1).byte(data2).index(0).index(32).index(0).byte(0);
}

// Opened, switched on, played, looked at, switched off.
InputWriter session() {
    InputWriter in;
    dispatch(in, effOpen);
    dispatch(in, effSetSampleRate, 0, 0, 48000.0f);
    dispatch(in, effSetBlockSize, 0, 512);
    dispatch(in, effMainsChanged, 0, 1);
    dispatch(in, effEditGetRect, 0, 0, 0.0f, kSomeBuffer);
    dispatch(in, effEditOpen);
    midi(in, 0x90, 69, 100);
    block(in, 512);
    setParameter(in, 15, 0.8f);
    block(in, 512);
    dispatch(in, effEditIdle);
    midi(in, 0x80, 69, 0);
    block(in, 333);
    dispatch(in, effEditClose);
    dispatch(in, effMainsChanged, 0, 0);
    return in;
}

// Every opcode once, each with a buffer where it takes one.
InputWriter everyOpcode() {
    InputWriter in;
    for (VstInt32 opcode = 0; opcode < kSmallOpcodes; ++opcode) {
        if (opcode != effClose && opcode != effProcessEvents) {
            dispatch(in, opcode, 3, 8, 0.5f, kSomeBuffer);
        }
    }
    return block(in, 64);
}

// Values that are no number or no sane one, in parameters, rates and blocks.
InputWriter hostileNumbers() {
    InputWriter in;
    for (const std::size_t garbage : {kQuietNaN, kInfinity, kMinusInfinity, kSmallestDenormal, kLargestFloat}) {
        for (const VstInt32 index : {0, 14, 15, 29, 89, -1, 90, INT32_MIN}) {
            in.step(Step::setParameter).index(index).special(garbage);
        }
        in.step(Step::dispatch).opcode(effSetSampleRate).index(0).value(0).special(garbage).byte(0);
        midi(in, 0x90, 127, 127);
        for (const int frames : {1, 3, 0, 4095}) {
            block(in, frames);
        }
        in.step(Step::getParameter).index(15);
    }
    return in;
}

// Lists a host should not send, yet some do.
InputWriter oddEvents() {
    InputWriter in;
    in.step(Step::events).byte(5).choice(EventCount::fewer).byte(3).value(0);
    in.choice(EventShape::midi).byte(0x90).byte(60).byte(90).index(INT32_MAX).index(32).index(0).byte(0);
    in.choice(EventShape::null);
    in.choice(EventShape::sysex).byte(6).index(-5).index(48);
    in.choice(EventShape::otherType).index(kVstParameterType).index(32).index(0);
    for (int i = 0; i < 16; ++i) {
        in.byte(0xF0);
    }
    in.choice(EventShape::midi).byte(0xB0).byte(123).byte(0).index(0).index(32).index(0).byte(0);
    block(in, 100, Channels::leftOnly);
    in.step(Step::events).byte(3).choice(EventCount::negative).index(-1).value(0);
    in.choice(EventShape::null).choice(EventShape::null).choice(EventShape::null);
    return block(in, 7, Channels::noOutputs);
}

// The instance made again, once after a host that refuses it.
InputWriter resets() {
    InputWriter in;
    in.step(Step::reset).byte(0);
    block(in, 10);
    in.step(Step::reset).byte(2);
    dispatch(in, effEditOpen);
    in.step(Step::reset).byte(1);
    return block(in, 10, Channels::withInputs);
}

// Texts in, and the editor's picture asked for by the plug-in's own request.
InputWriter textsAndPicture() {
    InputWriter in;
    const std::string canDo = "receiveVstMidiEvent";
    in.step(Step::dispatch).opcode(effCanDo).index(0).value(0).real(0.0f).byte(
        static_cast<std::uint8_t>(canDo.size() + 1));
    for (char c : canDo) {
        in.byte(static_cast<std::uint8_t>(c));
    }
    in.step(Step::dispatch).opcode(effSetProgramName).index(0).value(0).real(0.0f).byte(3).byte('a').byte('b');
    in.step(Step::dispatch).opcode(effString2Parameter).index(7).value(0).real(0.0f).byte(4).byte('0').byte('.').byte(
        '5');
    dispatch(in, effSetChunk, 0, 16, 0.0f, kSomeBuffer);
    dispatch(in, effEditOpen);
    dispatch(in, effVendorSpecific, kEditorPictureRequest, kEditorPictureBytes, 0.0f, kSomeBuffer);
    return dispatch(in, effEditClose);
}

void write(const std::string& path, const InputWriter& input) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(input.bytes.data()), static_cast<std::streamsize>(input.bytes.size()));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    const std::string dir = argv[1];
    write(dir + "/session", session());
    write(dir + "/every_opcode", everyOpcode());
    write(dir + "/hostile_numbers", hostileNumbers());
    write(dir + "/odd_events", oddEvents());
    write(dir + "/resets", resets());
    write(dir + "/texts_and_picture", textsAndPicture());
    return 0;
}
