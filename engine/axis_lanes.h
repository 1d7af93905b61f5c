// The six axes during one block, side by side in three SSE2 pairs (in motion
// order: MX MY, FX FY, LY LX), so the motion law runs on two axes per
// instruction. The lanes change the speed, not the bits: each pair steps
// with the same once-written law as a single axis (engine/axis_step.h).
#pragma once

#include <cstdint>

#include "engine/axis_orders.h"
#include "engine/block_axis.h"
#include "engine/double_pair.h"

// What the two lanes of a pair read from the source bank: a slot that
// nothing writes during a block, or the LFO slot, which changes every sample.
// A lane that reads the LFO with amount 0.5 multiplies it by +0.0, and the
// result is +0.0 or -0.0 after the LFO's sign alone: it reads the square
// wave's sign (+1.0 or -1.0, which has the same sign as the LFO value) in
// its place. That gives the same bits and frees it from the LFO's depth,
// so its chain does not wait for the LX axis every sample.
struct PairSources {
    DoublePair::Flag readsLfo;
    DoublePair::Flag readsSquare;
    DoublePair fixed; // 0.0 in a lane that reads the LFO, so an OR puts it in

    DoublePair with(double lfo, double square) const {
        const __m128d lfoLanes = _mm_and_pd(readsLfo, _mm_set1_pd(lfo));
        const __m128d squareLanes = _mm_and_pd(readsSquare, _mm_set1_pd(square));
        return DoublePair(_mm_or_pd(_mm_or_pd(lfoLanes, squareLanes), fixed.lanes));
    }
};

class AxisLanes {
public:
    static constexpr int kLanes = kNumAxes;
    static constexpr int kPairs = kLanes / 2;

    // Takes six records, in the order they are stepped; the modulators read
    // their sources from sourceBank (kSourceBankSlots), which may change
    // between samples.
    void load(AxisRecord* const (&records)[kLanes], const float* sourceBank);

    // load in steps: the records, then each pair either loaded from them or
    // kept at rest as a memo says (engine/resting_pair_memo.h): the samples
    // read its output, and store leaves its records alone.
    void attach(AxisRecord* const (&records)[kLanes], const float* sourceBank);
    void loadPair(int p);
    void keepAtRest(int p, DoublePair out);
    // A kept pair's results of the block's last sample, from two records
    // that hold them into its own.
    void putKeptResults(int p, const AxisRecord (&results)[2]);

    const AxisRecord& record(int lane) const { return *records[lane]; }
    const float* sourceBank() const { return bank; }
    float targetAtStart(int lane) const { return targetsAtStart[lane]; }

    // One sample of all six axes, each modulator reading its source slot.
    void step(float invSampleRate);

    // Puts the moving state back into the records.
    void store();

    float out(int lane) const;

    // The block loop's view: one pair, and where its lanes read.
    AxisMotion<DoublePair>& pair(int p) { return pairs[p]; }
    const AxisMotion<DoublePair>& pair(int p) const { return pairs[p]; }
    PairSources sources(int p) const { return pairSources[p]; }

    // Which halves of a pair (engine/axis_step.h) the real law steps back
    // onto the state they started from whatever the LFO does: by induction
    // they rest for the whole block. A resting position holds the results
    // of its every sample, and when both halves rest, the pair holds the
    // output it keeps all block. A resting modulation's results depend on
    // the LFO's sign and are left to the caller.
    struct RestingHalves {
        bool position;
        bool modulation;
    };
    RestingHalves restingHalves(int p, double invSampleRate);

private:
    AxisRecord* records[kLanes];
    float targetsAtStart[kLanes];
    std::int32_t sourceSlots[kLanes];
    const float* bank;
    AxisMotion<DoublePair> pairs[kPairs];
    RestingHalves resting[kPairs]; // a resting half's state is what its records hold
    bool kept[kPairs];
    PairSources pairSources[kPairs];
};
