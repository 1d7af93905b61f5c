// The render loop: blocks of the schedule through the plug-in into the WAV.
#pragma once

#include <cstdint>
#include <functional>

#include "audio_files.h"
#include "performance.h"
#include "plugin.h"

struct RenderResult {
    std::int64_t frames = 0;
    int channels = 0;
    double peak = 0.0;         // largest absolute sample, linear
    double rms = 0.0;          // over all channels, linear
    std::int64_t nonFinite = 0; // NaN or infinite samples, written as 0
};

// Called after every block with frames done and frames in all.
using ProgressCallback = std::function<void(std::int64_t, std::int64_t)>;

// Plays the schedule through a started plug-in: before each block its
// parameter writes, then the block with its MIDI events. `input` may be null
// (silence).
RenderResult renderPerformance(Plugin& plugin, BlockSchedule& schedule, AudioReader* input, WavWriter& output,
                               const ProgressCallback& progress);

// Decibels relative to full scale; -infinity for silence.
double toDbfs(double linear);
