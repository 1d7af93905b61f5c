// The three performances the engine's speed is measured with, as events at
// sample times (44.1 kHz). Each repeats with a period of its own, so it can
// be played for as long as a measurement needs. A sink turns the events into
// calls on an engine, or on a plug-in loaded as a host loads it.
#pragma once

#include <cstdint>

#include "engine/axis_orders.h"
#include "engine/parameter_table.h"

class PerformanceSink {
public:
    virtual ~PerformanceSink() = default;
    virtual void parameter(std::int32_t index, float value) = 0;
    virtual void midi(int status, int data1, int data2) = 0;
    // The editor grabbing an axis's pad at a target, and letting it go. A
    // sink that has no editor to reach may ignore them.
    virtual void hold(AxisIndex axis, float target) = 0;
    virtual void release(AxisIndex axis) = 0;
};

enum class Performance { HeldNote, Dragging, EverythingMoving };

constexpr const char* performanceName(Performance p) {
    return p == Performance::HeldNote ? "held_note" : p == Performance::Dragging ? "dragging" : "everything_moving";
}

namespace performance_detail {

constexpr long kRate = 44100;
constexpr long kDragInterval = kRate * 90 / 1000; // samples between automation writes
constexpr long kNoteInterval = kRate * 150 / 1000;
constexpr long kHoldInterval = kRate * 250 / 1000;

// Where the automation takes the static positions, in turn.
constexpr float kPositions[] = {0.2f, 0.75f, 0.4f, 0.95f, 0.1f, 0.6f, 0.3f, 0.85f, 0.5f};
constexpr int kNumPositions = sizeof kPositions / sizeof kPositions[0];

inline float position(long step) {
    return kPositions[step % kNumPositions];
}

// Does a multiple of interval (plus offset) fall in [start, start + frames)?
// Answers its index, or -1.
inline long eventIn(long start, int frames, long interval, long offset = 0) {
    const long first = (start - offset + interval - 1) / interval;
    return first >= 0 && first * interval + offset < start + frames ? first : -1;
}

// Targets glide home quickly and the springs settle: what moves is what the
// performance moves.
inline void settledPatch(PerformanceSink& sink) {
    for (const AxisBinding& binding : kParameterOrder) {
        sink.parameter(binding.firstParameter + kStaticRate, 0.9f);
        sink.parameter(binding.firstParameter + kRate, 0.8f);
        sink.parameter(binding.firstParameter + kOvershoot, 0.2f);
    }
    sink.parameter(FYStaticPos, 0.4f); // 0.2 s of delay
    sink.parameter(FXStaticPos, 0.5f); // feedback 0.425
    sink.parameter(LYStaticPos, 0.5f); // 4.4 Hz
    sink.parameter(LXStaticPos, 0.6f); // depth 0.36
}

} // namespace performance_detail

// Sets the patch and plays what starts the performance.
inline void beginPerformance(Performance p, PerformanceSink& sink) {
    using namespace performance_detail;
    settledPatch(sink);
    switch (p) {
    case Performance::HeldNote: // a pad: one long note, the LFO on its pitch
        sink.parameter(MYM0Amount, 0.75f);
        break;
    case Performance::Dragging: // the sections' rest positions dragged around
        sink.parameter(FYStaticRate, 0.5f);
        sink.parameter(FXStaticRate, 0.5f);
        sink.parameter(LYStaticRate, 0.5f);
        sink.parameter(LXStaticRate, 0.5f);
        break;
    case Performance::EverythingMoving: // the LFO into pitch, feedback and its own rate
        sink.parameter(MYM0Amount, 0.7f);
        sink.parameter(FXM0Amount, 0.65f);
        sink.parameter(LYM0Amount, 0.6f);
        sink.parameter(LXStaticPos, 0.8f);
        sink.parameter(FXStaticPos, 0.7f);
        break;
    }
    sink.midi(0x90, 57, 100);
}

// Plays the events that fall in samples [start, start + frames).
inline void continuePerformance(Performance p, PerformanceSink& sink, long start, int frames) {
    using namespace performance_detail;
    if (p == Performance::HeldNote) {
        return;
    }
    const long drag = eventIn(start, frames, kDragInterval);
    if (drag >= 0) {
        // One section's pad at a time, as a hand drags it.
        const bool effect = drag % 2 == 0;
        sink.parameter(effect ? FYStaticPos : LYStaticPos, position(drag));
        sink.parameter(effect ? FXStaticPos : LXStaticPos, position(drag + 4));
    }
    if (p == Performance::Dragging) {
        return;
    }
    const long note = eventIn(start, frames, kNoteInterval);
    if (note >= 0) {
        sink.midi(0x90, 45 + static_cast<int>(note * 7 % 24), 60 + static_cast<int>(note * 13 % 60));
    }
    const long noteOff = eventIn(start, frames, kNoteInterval, kNoteInterval * 2 / 3);
    if (noteOff >= 0) {
        sink.midi(0x80, 45 + static_cast<int>(noteOff * 7 % 24), 0);
    }
    const long grab = eventIn(start, frames, kHoldInterval);
    if (grab >= 0) {
        sink.hold(kReleaseOrder[grab % kNumAxes], position(grab + 2));
    }
    const long letGo = eventIn(start, frames, kHoldInterval, kHoldInterval * 3 / 4);
    if (letGo >= 0) {
        sink.release(kReleaseOrder[letGo % kNumAxes]);
    }
}
