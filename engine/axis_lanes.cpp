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

// A spring that rests has no velocity after the block start's flush. Only
// a guess, to spare moving halves the trial step: guessing wrong only costs
// time, as a half that is stepped gives the same bits.
bool mayRest(const Spring<DoublePair>& spring) {
    return sameBits(DoublePair(_mm_add_pd(spring.velocity.lanes, _mm_setzero_pd())), DoublePair(0.0));
}

// Target, position and velocity: what the next sample starts from. The
// acceleration is this sample's result, worked out afresh every sample; it
// reads no source, so a resting position keeps the trial's for every sample.
bool positionRests(AxisMotion<DoublePair>& pair, DoublePair inv) {
    if (!mayRest(pair.spring)) {
        return false;
    }
    AxisMotion<DoublePair> trial = pair;
    stepPosition(trial, inv);
    if (!sameBits(trial.target, pair.target) || !sameBits(trial.spring.pos, pair.spring.pos) ||
        !sameBits(trial.spring.velocity, pair.spring.velocity)) {
        return false;
    }
    pair.spring.accel = trial.spring.accel;
    return true;
}

// The same for the modulator, for every source value in candidates.
bool modulationRests(const AxisMotion<DoublePair>& pair, const DoublePair (&candidates)[2], DoublePair inv) {
    if (!mayRest(pair.modulator)) {
        return false;
    }
    for (const DoublePair& source : candidates) {
        AxisMotion<DoublePair> trial = pair;
        stepModulation(trial, source, inv);
        if (!sameBits(trial.modulator.pos, pair.modulator.pos) ||
            !sameBits(trial.modulator.velocity, pair.modulator.velocity)) {
            return false;
        }
    }
    return true;
}

} // namespace

void AxisLanes::load(AxisRecord* const (&chosen)[kLanes], const float* sourceBank) {
    attach(chosen, sourceBank);
    for (int p = 0; p < kPairs; ++p) {
        loadPair(p);
    }
}

void AxisLanes::attach(AxisRecord* const (&chosen)[kLanes], const float* sourceBank) {
    bank = sourceBank;
    for (int lane = 0; lane < kLanes; ++lane) {
        records[lane] = chosen[lane];
    }
}

void AxisLanes::loadPair(int p) {
    const int a = 2 * p;
    const int b = a + 1;
    for (const int lane : {a, b}) {
        targetsAtStart[lane] = records[lane]->target;
        sourceSlots[lane] = sourceSlotOf(*records[lane]);
    }
    resting[p] = {false, false};
    kept[p] = false;
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

// Its output is all of it the samples read.
void AxisLanes::keepAtRest(int p, DoublePair out) {
    resting[p] = {true, true};
    kept[p] = true;
    pairs[p].out = out;
}

void AxisLanes::putKeptResults(int p, const AxisRecord (&results)[2]) {
    copyResults(results[0], *records[2 * p]);
    copyResults(results[1], *records[2 * p + 1]);
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
        if (kept[p]) {
            continue;
        }
        const int a = 2 * p;
        const int b = a + 1;
        TwoRecordsOut out(*records[a], *records[b]);
        // A resting half's starting point is what the records hold already.
        if (!resting[p].position) {
            putPositionState(pairs[p], out);
        }
        if (!resting[p].modulation) {
            putModulationState(pairs[p], out);
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

AxisLanes::RestingHalves AxisLanes::restingHalves(int p, double invSampleRate) {
    const DoublePair inv(invSampleRate);
    RestingHalves rests{positionRests(pairs[p], inv), false};
    // A lane that reads a fixed slot sees one value all block. A lane that
    // reads the LFO with amount 0.5 multiplies it by 0.0: only its sign can
    // show (as the sign of a zero), so +1 and -1 stand for every value the
    // LFO can take. Any other lane on the LFO follows it and its modulator
    // is not at rest.
    double sides[2][2];
    bool candidatesCover = true;
    for (int side = 0; side < 2; ++side) {
        const int lane = 2 * p + side;
        if (sourceSlots[lane] == kLfoSourceSlot) {
            const double amount = side == 0 ? pairs[p].amount.low() : pairs[p].amount.high();
            candidatesCover = candidatesCover && amount == 0.5 && std::isfinite(bank[kLfoSourceSlot]);
            sides[side][0] = 1.0;
            sides[side][1] = -1.0;
        } else {
            sides[side][0] = sides[side][1] = bank[sourceSlots[lane]];
        }
    }
    const DoublePair candidates[2] = {{sides[0][0], sides[1][0]}, {sides[0][1], sides[1][1]}};
    rests.modulation = candidatesCover && modulationRests(pairs[p], candidates, inv);
    if (rests.position && rests.modulation) {
        // The output depends on the positions alone, so this one holds all
        // block.
        mixOutput(pairs[p]);
    }
    resting[p] = rests;
    return rests;
}
