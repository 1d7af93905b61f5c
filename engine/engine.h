// Quorvane's sound: a sine tone, a square LFO and a feedback delay, each
// steered by two spring-driven axes. The engine knows no plug-in format and
// no window system: a sample rate, the parameter values and MIDI messages go
// in, blocks of samples come out, and the moving values an editor shows can
// be read. The plug-in formats are thin translations around it.
//
// Threads: setParameter and parameter may be called from any thread, and an
// editor may write the few SharedValue fields of the axis records (held,
// target, modulator 0's amount) at any time; a block reads them when it
// starts, so a write takes effect at the next block, and a target written
// while a block runs is kept. Everything else belongs to the audio thread:
// handleMidi, updateAxes and render.
#pragma once

#include <cstdint>

#include "engine/axis_orders.h"
#include "engine/axis_record.h"
#include "engine/block_axis.h"
#include "engine/coefficient_memo.h"
#include "engine/feedback_delay.h"
#include "engine/held_notes.h"
#include "engine/parameter_table.h"
#include "engine/resting_pair_memo.h"
#include "engine/shared_value.h"
#include "engine/table_oscillator.h"

constexpr int kNumModifiers = 6;

struct BlockContext;

class Engine {
public:
    // Tables, cleared state and the parameter defaults, already taken into
    // the axis records.
    Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Stores the value (for an index outside 0..89 nothing) and raises
    // paramsDirty either way; the next block takes it. Any value is kept as
    // written, NaN included: the engine copes where it takes it.
    void setParameter(std::int32_t index, float value);
    // The stored value; 0.0 outside 0..89.
    float parameter(std::int32_t index) const;

    // One MIDI message, acted on at once: the next block starts from it.
    // Notes on any channel play the oscillator section's two axes.
    void handleMidi(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);

    // Takes the parameters into the axis records and clears paramsDirty.
    void updateAxes();

    // One block at the host's sample rate in Hz: refresh if dirty,
    // coefficients, every sample, the targets back into the parameters.
    // Either channel may be null; a frame count of 0 or less writes nothing
    // but still does everything else.
    void render(float sampleRate, float* left, float* right, std::int32_t frames);

    // The same block through the plain per-sample law, one axis at a time,
    // as it is written down: the reference render is checked against, sample
    // for sample and field for field. Two to three times slower than render.
    void renderPlain(float sampleRate, float* left, float* right, std::int32_t frames);

    // The engine's state, in this order. The editor and the MIDI handling
    // write a few fields directly; those are SharedValues. Of the records'
    // other fields, only updateAxes writes what it copies from the
    // parameters, and only the block those it works out from them; of the
    // source bank, only the LFO's slot ever changes. The fast path counts on
    // both (engine/resting_pair_memo.h).
    AxisRecord axes[kNumAxes]; // the audio thread's, but for the SharedValues
    float modifiers[kNumModifiers]; // audio thread
    SharedValue<float> params[NumParams]; // any thread; the audio thread writes the targets back
    float modSources[kNumModSources]; // audio thread
    // Published by whoever writes a parameter, taken by updateAxes on the
    // audio thread: the values written before it are there to be copied.
    SharedValue<bool> paramsDirty;
    // The rest is the audio thread's (the tables are only read after the
    // constructor).
    TableOscillator toneOsc;
    TableOscillator lfoOsc;
    FeedbackDelay delay;
    HeldNotes heldNotes;
    AxisCoefficientMemo coefficientMemos[kNumAxes];
    // False from updateAxes until a block has worked the coefficients out
    // from what it copied.
    bool coefficientsCurrent = false;
    // The fast path's: pairs of axes at rest, in motion order (MX MY, FX FY,
    // LY LX), with what their block start gave.
    RestingPairMemo restingPairs[kNumAxes / 2];

private:
    using SamplePlayer = void (*)(BlockContext& block, float* left, float* right, std::int32_t frames);
    // The plain path works the coefficients and every pair's block start out
    // every block, as the law is written; the fast path only when what they
    // are worked out from has changed.
    enum class Recompute { EveryBlock, WhenInputsChange };

    void fillTables();
    void renderBlock(float sampleRate, float* left, float* right, std::int32_t frames, SamplePlayer play,
                     Recompute recompute);
};
