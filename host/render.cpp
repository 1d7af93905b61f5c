#include "render.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

namespace {

// Channel buffers of one block, with pointer arrays never shorter than two:
// some plug-ins touch a second channel they did not declare.
struct ChannelBuffers {
    ChannelBuffers(int channels, int frames)
        : data(static_cast<std::size_t>(std::max(channels, 2)), std::vector<float>(frames, 0.0f)) {
        for (auto& channel : data) {
            pointers.push_back(channel.data());
        }
    }
    std::vector<std::vector<float>> data;
    std::vector<float*> pointers;
};

} // namespace

double toDbfs(double linear) {
    return linear > 0.0 ? 20.0 * std::log10(linear) : -std::numeric_limits<double>::infinity();
}

RenderResult renderPerformance(Plugin& plugin, BlockSchedule& schedule, AudioReader* input, WavWriter& output,
                               const ProgressCallback& progress) {
    const int blockSize = schedule.blockLength();
    const int numInputs = plugin.audioInputs();
    const int numOutputs = plugin.audioOutputs();
    ChannelBuffers inputs(numInputs, blockSize);
    ChannelBuffers outputs(numOutputs, blockSize);
    const int fileChannels = input != nullptr ? input->channels() : 0;
    std::vector<float> fileFrames(static_cast<std::size_t>(blockSize) * std::max(fileChannels, 1));
    std::vector<float> interleaved(static_cast<std::size_t>(blockSize) * numOutputs);

    RenderResult result;
    result.channels = numOutputs;
    double sumOfSquares = 0.0;
    Block block{};
    while (schedule.next(block)) {
        for (std::size_t i = 0; i < block.writeCount; ++i) {
            const ScheduledWrite& write = schedule.writes()[block.firstWrite + i];
            plugin.setParameter(write.index, write.value);
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

        plugin.process(block.start, schedule.events().data() + block.firstEvent, block.eventCount,
                       inputs.pointers.data(), outputs.pointers.data(), block.frames);

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
