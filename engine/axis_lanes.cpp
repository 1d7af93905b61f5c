#include "engine/axis_lanes.h"

#include <cmath>

namespace {

Spring<DoublePair> springPair(const Spring<double>& a, const Spring<double>& b) {
    return {{a.pos, b.pos}, {a.velocity, b.velocity}, {a.accel, b.accel}, {a.damping, b.damping},
            {a.stiffness, b.stiffness}};
}

AxisMotion<DoublePair> motionPair(const AxisMotion<double>& a, const AxisMotion<double>& b) {
    AxisMotion<DoublePair> pair;
    pair.target = {a.target, b.target};
    pair.held = pairFlag(a.held, b.held);
    pair.staticPos = {a.staticPos, b.staticPos};
    pair.staticCoeff = {a.staticCoeff, b.staticCoeff};
    pair.spring = springPair(a.spring, b.spring);
    pair.amount = {a.amount, b.amount};
    pair.modTarget = {a.modTarget, b.modTarget};
    pair.modulator = springPair(a.modulator, b.modulator);
    pair.out = {a.out, b.out};
    return pair;
}

// The fields the law moves; the rest came from the record and stay.
void moveSpring(const Spring<DoublePair>& pair, Spring<double>& a, Spring<double>& b) {
    a.pos = pair.pos.low();
    b.pos = pair.pos.high();
    a.velocity = pair.velocity.low();
    b.velocity = pair.velocity.high();
    a.accel = pair.accel.low();
    b.accel = pair.accel.high();
}

void moveMotion(const AxisMotion<DoublePair>& pair, AxisMotion<double>& a, AxisMotion<double>& b) {
    a.target = pair.target.low();
    b.target = pair.target.high();
    moveSpring(pair.spring, a.spring, b.spring);
    a.modTarget = pair.modTarget.low();
    b.modTarget = pair.modTarget.high();
    moveSpring(pair.modulator, a.modulator, b.modulator);
    a.out = pair.out.low();
    b.out = pair.out.high();
}

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
        lanes[lane] = takeAxis(*chosen[lane]);
    }
    for (int p = 0; p < kPairs; ++p) {
        const BlockAxis& a = lanes[2 * p];
        const BlockAxis& b = lanes[2 * p + 1];
        pairs[p] = motionPair(a.motion, b.motion);
        const bool lfoA = a.sourceSlot == kLfoSourceSlot;
        const bool lfoB = b.sourceSlot == kLfoSourceSlot;
        pairSources[p] = {pairFlag(lfoA, lfoB), {lfoA ? 0.0 : bank[a.sourceSlot], lfoB ? 0.0 : bank[b.sourceSlot]}};
    }
}

void AxisLanes::step(float invSampleRate) {
    const DoublePair inv(static_cast<double>(invSampleRate));
    for (int p = 0; p < kPairs; ++p) {
        const DoublePair sources(bank[lanes[2 * p].sourceSlot], bank[lanes[2 * p + 1].sourceSlot]);
        stepAxis(pairs[p], sources, inv);
    }
}

void AxisLanes::store() {
    for (int p = 0; p < kPairs; ++p) {
        moveMotion(pairs[p], lanes[2 * p].motion, lanes[2 * p + 1].motion);
    }
    for (int lane = 0; lane < kLanes; ++lane) {
        putAxis(lanes[lane], *records[lane]);
    }
}

float AxisLanes::out(int lane) const {
    const DoublePair& out = pairs[lane / 2].out;
    return static_cast<float>(lane % 2 == 0 ? out.low() : out.high());
}

bool AxisLanes::restPair(int p, double invSampleRate) {
    // A lane that reads a fixed slot sees one value all block. A lane that
    // reads the LFO with amount 0.5 multiplies it by 0.0: only its sign can
    // show (as the sign of a zero), so +1 and -1 stand for every value the
    // LFO can take. Any other lane on the LFO follows it and is not at rest.
    double candidates[2][2];
    for (int side = 0; side < 2; ++side) {
        const BlockAxis& lane = lanes[2 * p + side];
        if (lane.sourceSlot == kLfoSourceSlot) {
            if (lane.motion.amount != 0.5 || !std::isfinite(bank[kLfoSourceSlot])) {
                return false;
            }
            candidates[0][side] = 1.0;
            candidates[1][side] = -1.0;
        } else {
            candidates[0][side] = candidates[1][side] = bank[lane.sourceSlot];
        }
    }
    const DoublePair inv(invSampleRate);
    AxisMotion<DoublePair> trials[2] = {pairs[p], pairs[p]};
    for (int c = 0; c < 2; ++c) {
        stepAxis(trials[c], DoublePair(candidates[c][0], candidates[c][1]), inv);
        if (!sameStartingPoint(trials[c], pairs[p])) {
            return false;
        }
    }
    // The output depends on the starting point alone, so this one holds
    // all block.
    pairs[p] = trials[0];
    return true;
}
