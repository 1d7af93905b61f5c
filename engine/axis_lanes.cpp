#include "engine/axis_lanes.h"

#include <cmath>

namespace {

class TwoRecords {
public:
    TwoRecords(const AxisRecord& low, const AxisRecord& high) : low(low), high(high) {}
    template <typename Field> DoublePair number(Field field) const { return DoublePair(field(low), field(high)); }
    template <typename Field> DoublePair::Flag flag(Field field) const { return pairFlag(field(low), field(high)); }

private:
    const AxisRecord& low;
    const AxisRecord& high;
};

class TwoRecordsOut {
public:
    TwoRecordsOut(AxisRecord& low, AxisRecord& high) : low(low), high(high) {}
    template <typename Store> void put(DoublePair value, Store store) {
        store(low, static_cast<float>(value.low()));
        store(high, static_cast<float>(value.high()));
    }

private:
    AxisRecord& low;
    AxisRecord& high;
};

// Target, positions and velocities: what the next sample starts from. The
// accelerations, the modulator target and the output are this sample's
// results, worked out afresh every sample.
bool sameStartingPoint(const AxisMotion<DoublePair>& a, const AxisMotion<DoublePair>& b) {
    return sameBits(a.target, b.target) && sameBits(a.spring.pos, b.spring.pos) &&
           sameBits(a.spring.velocity, b.spring.velocity) && sameBits(a.modulator.pos, b.modulator.pos) &&
           sameBits(a.modulator.velocity, b.modulator.velocity);
}

} // namespace

void AxisLanes::load(AxisRecord* const (&chosen)[kLanes], const float* sourceBank) {
    bank = sourceBank;
    for (int lane = 0; lane < kLanes; ++lane) {
        records[lane] = chosen[lane];
        targetsAtStart[lane] = chosen[lane]->target;
        sourceSlots[lane] = sourceSlotOf(*chosen[lane]);
    }
    for (int p = 0; p < kPairs; ++p) {
        const int a = 2 * p;
        const int b = a + 1;
        resting[p] = false;
        pairs[p] = takeMotion<DoublePair>(TwoRecords(*records[a], *records[b]));
        pairs[p].target = DoublePair(finiteOrZero(targetsAtStart[a]), finiteOrZero(targetsAtStart[b]));
        const bool lfoA = sourceSlots[a] == kLfoSourceSlot;
        const bool lfoB = sourceSlots[b] == kLfoSourceSlot;
        // A number is all the first sample of the block reads: the LFO
        // value of the previous block's last sample.
        const bool squareWorks = std::isfinite(bank[kLfoSourceSlot]);
        const bool squareA = lfoA && squareWorks && pairs[p].amount.low() == 0.5;
        const bool squareB = lfoB && squareWorks && pairs[p].amount.high() == 0.5;
        pairSources[p] = {pairFlag(lfoA && !squareA, lfoB && !squareB), pairFlag(squareA, squareB),
                          {lfoA ? 0.0 : bank[sourceSlots[a]], lfoB ? 0.0 : bank[sourceSlots[b]]}};
    }
}

void AxisLanes::step(float invSampleRate) {
    const DoublePair inv(static_cast<double>(invSampleRate));
    for (int p = 0; p < kPairs; ++p) {
        const DoublePair sources(bank[sourceSlots[2 * p]], bank[sourceSlots[2 * p + 1]]);
        stepAxis(pairs[p], sources, inv);
    }
}

void AxisLanes::store() {
    for (int p = 0; p < kPairs; ++p) {
        const int a = 2 * p;
        const int b = a + 1;
        TwoRecordsOut out(*records[a], *records[b]);
        // A resting pair's starting point is what the records hold already.
        if (!resting[p]) {
            putState(pairs[p], out);
        }
        putResults(pairs[p], out);
        putTarget(*records[a], targetsAtStart[a], pairs[p].target.low());
        putTarget(*records[b], targetsAtStart[b], pairs[p].target.high());
    }
}

float AxisLanes::out(int lane) const {
    const DoublePair& out = pairs[lane / 2].out;
    return static_cast<float>(lane % 2 == 0 ? out.low() : out.high());
}

bool AxisLanes::restPair(int p, double invSampleRate) {
    const AxisMotion<DoublePair>& pair = pairs[p];
    // Only a guess, to spare moving pairs the trial below: a spring that
    // rests has no velocity after the block start's flush. Guessing wrong
    // only costs time: a pair that is stepped gives the same bits.
    const __m128d velocities = _mm_or_pd(pair.spring.velocity.lanes, pair.modulator.velocity.lanes);
    if (!sameBits(DoublePair(_mm_add_pd(velocities, _mm_setzero_pd())), DoublePair(0.0))) {
        return false;
    }
    // A lane that reads a fixed slot sees one value all block. A lane that
    // reads the LFO with amount 0.5 multiplies it by 0.0: only its sign can
    // show (as the sign of a zero), so +1 and -1 stand for every value the
    // LFO can take. Any other lane on the LFO follows it and is not at rest.
    double candidates[2][2];
    for (int side = 0; side < 2; ++side) {
        const int lane = 2 * p + side;
        if (sourceSlots[lane] == kLfoSourceSlot) {
            const double amount = side == 0 ? pair.amount.low() : pair.amount.high();
            if (amount != 0.5 || !std::isfinite(bank[kLfoSourceSlot])) {
                return false;
            }
            candidates[0][side] = 1.0;
            candidates[1][side] = -1.0;
        } else {
            candidates[0][side] = candidates[1][side] = bank[sourceSlots[lane]];
        }
    }
    const DoublePair inv(invSampleRate);
    AxisMotion<DoublePair> trial = pair;
    stepAxis(trial, DoublePair(candidates[1][0], candidates[1][1]), inv);
    if (!sameStartingPoint(trial, pair)) {
        return false;
    }
    trial = pair;
    stepAxis(trial, DoublePair(candidates[0][0], candidates[0][1]), inv);
    if (!sameStartingPoint(trial, pair)) {
        return false;
    }
    // The output depends on the starting point alone, so this one holds
    // all block.
    pairs[p] = trial;
    resting[p] = true;
    return true;
}
