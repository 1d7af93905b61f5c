// One scripted session played through a plug-in's descriptor: notes and
// chords, parameter writes while notes are held and after release, odd and
// empty blocks, a change of sample rate. Everything the plug-in answers goes
// into one byte stream, so two builds can be compared byte for byte.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "vst2/vst2.h"

class ScriptedSession {
public:
    explicit ScriptedSession(AEffect* effect) : effect(effect) {}

    // Plays the whole script; answers everything the plug-in produced.
    std::vector<unsigned char> play() {
        dispatch(effOpen, 0, 0, nullptr, 0.0f);
        dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
        dispatch(effSetBlockSize, 0, 4096, nullptr, 0.0f);
        dispatch(effMainsChanged, 0, 1, nullptr, 0.0f);

        // Let the LFO and the delay take part: depth, delay time and feedback
        // glide to their rest positions quickly; pitch and level listen to the LFO.
        setParameter(77, 1.0f);  // LXStaticPos
        setParameter(78, 0.9f);  // LXStaticRate
        setParameter(63, 0.45f); // LYStaticPos
        setParameter(64, 0.9f);  // LYStaticRate
        setParameter(33, 0.5f);  // FYStaticPos
        setParameter(34, 0.9f);  // FYStaticRate
        setParameter(47, 0.6f);  // FXStaticPos
        setParameter(48, 0.9f);  // FXStaticRate
        setParameter(7, 0.8f);   // MYM0Amount
        setParameter(21, 0.3f);  // MXM0Amount

        const int blockSizes[] = {512, 1, 7, 0, 333, 4096, 64, 1023, 2, 256, 0, 129, 2048};
        std::uint32_t noise = 12345;
        for (int step = 0; step < 320; ++step) {
            if (step == 160) {
                dispatch(effMainsChanged, 0, 0, nullptr, 0.0f);
                dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
                dispatch(effMainsChanged, 0, 1, nullptr, 0.0f);
            }
            switch (step % 10) {
            case 0: // a chord
                sendMidi({{0x90, 48 + step % 24, 100}, {0x90, 55 + step % 24, 80}, {0x91, 60 + step % 24, 127}});
                break;
            case 3: // written while held
                setParameter(static_cast<VstInt32>(noise % 90), nextUnit(noise));
                setParameter(1 + 14 * static_cast<VstInt32>(noise % 2), nextUnit(noise)); // a Rate
                setParameter(2 + 14 * static_cast<VstInt32>(noise % 2), nextUnit(noise)); // an Overshoot
                break;
            case 5:
                sendMidi({{0x80, 48 + step % 24, 0}, {0x90, 55 + step % 24, 0}});
                break;
            case 6:
                sendMidi({{0x81, 60 + step % 24, 64}});
                break;
            case 8: // written while released, including values no knob sends
                setParameter(static_cast<VstInt32>(noise % 90), nextUnit(noise) * 1.5f - 0.2f);
                setParameter(4 + 30 * static_cast<VstInt32>(noise % 3), nextUnit(noise)); // a StaticRate
                if (step % 50 == 28) {
                    setParameter(static_cast<VstInt32>(noise % 90), step % 100 == 28 ? NAN : INFINITY);
                }
                break;
            case 9:
                if (step % 40 == 9) {
                    sendMidi({{0xBF, 123, 0}});
                }
                break;
            }
            const int frames = blockSizes[step % (sizeof blockSizes / sizeof blockSizes[0])];
            processBlock(frames, step % 3 == 0);
        }
        dispatch(effMainsChanged, 0, 0, nullptr, 0.0f);
        return stream;
    }

private:
    struct Midi {
        int status, data1, data2;
    };

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
        return effect->dispatcher(effect, opcode, index, value, ptr, opt);
    }

    void setParameter(VstInt32 index, float value) { effect->setParameter(effect, index, value); }

    static float nextUnit(std::uint32_t& state) {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(state >> 8) / 16777216.0f;
    }

    void sendMidi(std::initializer_list<Midi> messages) {
        std::vector<VstMidiEvent> events(messages.size());
        std::vector<VstEvent*> pointers;
        std::size_t i = 0;
        for (const Midi& message : messages) {
            VstMidiEvent& event = events[i++];
            std::memset(&event, 0, sizeof event);
            event.type = kVstMidiType;
            event.byteSize = sizeof event;
            event.midiData[0] = static_cast<char>(message.status);
            event.midiData[1] = static_cast<char>(message.data1);
            event.midiData[2] = static_cast<char>(message.data2);
            pointers.push_back(reinterpret_cast<VstEvent*>(&event));
        }
        std::vector<unsigned char> storage(sizeof(VstEvents) + pointers.size() * sizeof(VstEvent*));
        auto* list = reinterpret_cast<VstEvents*>(storage.data());
        list->numEvents = static_cast<VstInt32>(pointers.size());
        std::memcpy(list->events, pointers.data(), pointers.size() * sizeof(VstEvent*));
        dispatch(effProcessEvents, 0, 0, list, 0.0f);
    }

    void processBlock(int frames, bool replacing) {
        std::vector<float> left(static_cast<std::size_t>(frames) + 1, 9.0f), right(left.size(), -9.0f);
        float* outputs[2] = {left.data(), right.data()};
        if (replacing) {
            effect->processReplacing(effect, nullptr, outputs, frames);
        } else {
            effect->process(effect, nullptr, outputs, frames);
        }
        append(left.data(), static_cast<std::size_t>(frames) * sizeof(float));
        append(right.data(), static_cast<std::size_t>(frames) * sizeof(float));
        for (VstInt32 index = 0; index < effect->numParams; ++index) {
            const float value = effect->getParameter(effect, index);
            append(&value, sizeof value);
        }
    }

    void append(const void* data, std::size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        stream.insert(stream.end(), bytes, bytes + size);
    }

    AEffect* effect;
    std::vector<unsigned char> stream;
};
