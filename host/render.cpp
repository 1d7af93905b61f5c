#include "render.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

namespace {

// The VstEvents record holds as many pointers as the block has events; its
// declared array of two is only the start of that list.
class EventList {
public:
    VstEvents* fill(const std::vector<ScheduledMessage>& events, const Block& block) {
        const std::size_t count = block.eventCount;
        midi.assign(count, VstMidiEvent{});
        storage.assign((offsetof(VstEvents, events) + std::max<std::size_t>(count, 2) * sizeof(VstEvent*)) /
                               sizeof(VstIntPtr) + 1,
                       0);
        auto* list = reinterpret_cast<VstEvents*>(storage.data());
        list->numEvents = static_cast<VstInt32>(count);
        auto** slots = reinterpret_cast<VstEvent**>(reinterpret_cast<char*>(list) + offsetof(VstEvents, events));
        for (std::size_t i = 0; i < count; ++i) {
            const ScheduledMessage& source = events[block.firstEvent + i];
            VstMidiEvent& event = midi[i];
            event.type = kVstMidiType;
            event.byteSize = sizeof(VstMidiEvent);
            event.deltaFrames = static_cast<VstInt32>(source.frame - block.start);
            for (int b = 0; b < 3; ++b) {
                event.midiData[b] = static_cast<char>(source.message.bytes[b]);
            }
            slots[i] = reinterpret_cast<VstEvent*>(&event);
        }
        return list;
    }

private:
    std::vector<VstMidiEvent> midi;
    std::vector<VstIntPtr> storage;
};

// Channel buffers of one block, with pointer arrays never shorter than two:
// some plug-ins touch a second channel they did not declare.
struct ChannelBuffers {
    ChannelBuffers(int channels, int frames)
        : data(static_cast<std::size_t>(std::max(channels, 2)), std::vector<float>(frames, 0.0f)) {
        for (auto& channel : data) {
            pointers.push_back(channel.data());
        }
    }
    void clear(int frames) {
        for (auto& channel : data) {
            std::fill(channel.begin(), channel.begin() + frames, 0.0f);
        }
    }
    std::vector<std::vector<float>> data;
    std::vector<float*> pointers;
};

} // namespace

double toDbfs(double linear) {
    return linear > 0.0 ? 20.0 * std::log10(linear) : -std::numeric_limits<double>::infinity();
}

RenderResult renderPerformance(VstPlugin& plugin, HostState& host, BlockSchedule& schedule, AudioReader* input,
                               WavWriter& output, const ProgressCallback& progress) {
    AEffect& fx = plugin.effect();
    const int blockSize = host.blockSize;
    const int numInputs = fx.numInputs;
    const int numOutputs = fx.numOutputs;
    ChannelBuffers inputs(numInputs, blockSize);
    ChannelBuffers outputs(numOutputs, blockSize);
    const int fileChannels = input != nullptr ? input->channels() : 0;
    std::vector<float> fileFrames(static_cast<std::size_t>(blockSize) * std::max(fileChannels, 1));
    std::vector<float> interleaved(static_cast<std::size_t>(blockSize) * numOutputs);
    EventList events;
    const bool replacing = (fx.flags & effFlagsCanReplacing) != 0;

    RenderResult result;
    result.channels = numOutputs;
    double sumOfSquares = 0.0;
    Block block{};
    while (schedule.next(block)) {
        // A plug-in may ask for the transport while it takes events, too.
        host.samplePos = block.start;
        for (std::size_t i = 0; i < block.writeCount; ++i) {
            const ScheduledWrite& write = schedule.writes()[block.firstWrite + i];
            plugin.setParameter(write.index, write.value);
        }
        if (block.eventCount > 0) {
            plugin.dispatch(effProcessEvents, 0, 0, events.fill(schedule.events(), block));
        }

        if (input != nullptr) {
            input->read(fileFrames.data(), block.frames);
            // A mono file feeds every input; otherwise channel c feeds input c,
            // wrapping when the plug-in has more inputs than the file.
            for (int c = 0; c < numInputs; ++c) {
                const int from = c % fileChannels;
                float* to = inputs.pointers[c];
                for (int i = 0; i < block.frames; ++i) {
                    to[i] = fileFrames[static_cast<std::size_t>(i) * fileChannels + from];
                }
            }
        }

        if (replacing) {
            fx.processReplacing(&fx, inputs.pointers.data(), outputs.pointers.data(), block.frames);
        } else {
            // process adds to what is there.
            outputs.clear(block.frames);
            fx.process(&fx, inputs.pointers.data(), outputs.pointers.data(), block.frames);
        }
        host.transportChanged = false;

        for (int c = 0; c < numOutputs; ++c) {
            const float* from = outputs.pointers[c];
            for (int i = 0; i < block.frames; ++i) {
                float sample = from[i];
                if (!std::isfinite(sample)) {
                    ++result.nonFinite;
                    sample = 0.0f;
                }
                const double magnitude = std::fabs(static_cast<double>(sample));
                result.peak = std::max(result.peak, magnitude);
                sumOfSquares += magnitude * magnitude;
                interleaved[static_cast<std::size_t>(i) * numOutputs + c] = sample;
            }
        }
        output.write(interleaved.data(), block.frames);
        result.frames += block.frames;
        if (progress) {
            progress(result.frames, schedule.totalFrames());
        }
    }
    const double samples = static_cast<double>(result.frames) * numOutputs;
    result.rms = samples > 0 ? std::sqrt(sumOfSquares / samples) : 0.0;
    return result;
}
