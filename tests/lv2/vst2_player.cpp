#include "tests/lv2/vst2_player.h"

#include <cstring>

#include "engine/parameter_table.h"

std::uint32_t bitsOf(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

Vst2Player::Vst2Player(const LoadedPlugin& library, float sampleRate) : effect(library.entry("main")(RecordingHost::callback)) {
    for (const ParameterFacts& facts : kParameterTable) {
        writtenBits.push_back(bitsOf(facts.defaultValue));
    }
    if (effect == nullptr) {
        return;
    }
    dispatch(effect, effOpen);
    dispatch(effect, effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effect, effSetBlockSize, 0, 8192);
    dispatch(effect, effMainsChanged, 0, 1);
}

Vst2Player::~Vst2Player() {
    if (effect != nullptr) {
        dispatch(effect, effClose);
    }
}

void Vst2Player::write(std::int32_t index, float value) {
    if (bitsOf(value) != writtenBits[static_cast<std::size_t>(index)]) {
        writtenBits[static_cast<std::size_t>(index)] = bitsOf(value);
        effect->setParameter(effect, index, value);
    }
}

void Vst2Player::play(const ScriptedBlock& block) {
    for (const ParameterWrite& write : block.writes) {
        this->write(write.index, write.value);
    }
    std::vector<VstMidiEvent> events(block.events.size());
    std::vector<VstEvent*> pointers;
    for (std::size_t i = 0; i < block.events.size(); ++i) {
        VstMidiEvent& event = events[i];
        event.type = block.events[i].isMidi ? kVstMidiType : kVstSysExType;
        event.byteSize = sizeof event;
        event.deltaFrames = block.events[i].frame;
        for (std::size_t b = 0; b < block.events[i].bytes.size() && b < 3; ++b) {
            event.midiData[b] = static_cast<char>(block.events[i].bytes[b]);
        }
        pointers.push_back(reinterpret_cast<VstEvent*>(&event));
    }
    // VstEvents declares two pointers; the list really holds numEvents.
    std::vector<std::uint8_t> list(sizeof(VstEvents) + pointers.size() * sizeof(VstEvent*), 0);
    auto* header = reinterpret_cast<VstEvents*>(list.data());
    header->numEvents = static_cast<VstInt32>(pointers.size());
    if (!pointers.empty()) {
        std::memcpy(header->events, pointers.data(), pointers.size() * sizeof(VstEvent*));
        dispatch(effect, effProcessEvents, 0, 0, header);
    }
    for (std::vector<float>& channel : audio) {
        channel.assign(block.frames, 0.0f);
    }
    float* outputs[2] = {audio[0].data(), audio[1].data()};
    effect->processReplacing(effect, nullptr, outputs, static_cast<VstInt32>(block.frames));
}
