// One plug-in instance played by host threads at once, as a host plays it:
// an audio thread, a parameter thread, a GUI thread with the editor and a
// dispatcher thread. Each thread's work is a function of its own file; they
// meet only in the atomics here and in the plug-in.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "engine/parameter_table.h"
#include "tests/stress/failure_log.h"
#include "vst2/vst2.h"

// How the host behaves towards this instance.
struct HostManners {
    // Its writers leave the feedback axis alone, so the echoes die away and
    // the output stays within a bound; the others write anything anywhere.
    bool tame;
    // It changes the sample rate and the block size while the audio thread
    // processes, which the interface forbids and hosts do anyway; a polite
    // host stops the audio thread and suspends the instance first.
    bool rude;
};

// Everything the host's threads share about one instance. The counters are
// written by one thread each and read by the report after the threads end.
struct InstanceUnderLoad {
    AEffect* effect = nullptr;
    HostManners manners{};
    std::uint32_t seed = 0;

    // A polite host's audio thread processes only while it holds this lock,
    // which it tries for and never waits for, as hosts' audio threads do;
    // its dispatcher holds it while the instance is suspended.
    std::mutex processLock;

    std::atomic<std::int64_t> blocks{0};
    std::atomic<std::int64_t> frames{0};
    std::atomic<float> loudest{0.0f};
    std::atomic<std::int64_t> parameterCalls{0};
    std::atomic<std::int64_t> editorOpens{0};
    std::atomic<std::int64_t> mouseMessages{0};
    std::atomic<std::int64_t> mainsCycles{0};
};

// What every thread of the run reads: when to stop, where failures go.
struct RunControl {
    std::atomic<bool> stop{false};
    FailureLog failures;
};

// The largest magnitude a tame instance may put out: the tone reaches 2.0
// (level axis clamped, sine at most 1), and echoes fed back at most 0.85
// times (feedback axis at or below 1.0) add at most 2.0 / (1 - 0.85).
constexpr float kTameOutputBound = 2.0f + 2.0f / (1.0f - 0.85f);

// The parameters of the feedback axis, which a tame host never writes.
constexpr bool isFeedbackAxisParameter(std::int32_t index) {
    return index >= FXTargetPos && index < FXTargetPos + kFieldsPerAxis;
}

void playAudio(InstanceUnderLoad& instance, RunControl& run);
void automateParameters(InstanceUnderLoad& instance, RunControl& run);
void playEditor(InstanceUnderLoad& instance, RunControl& run);
void dispatchHostCalls(InstanceUnderLoad& instance, RunControl& run);
