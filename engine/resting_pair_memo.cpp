#include "engine/resting_pair_memo.h"

void RestingPairMemo::remember(const AxisLanes& lanes, int p, float invSampleRate) {
    const float targets[2] = {lanes.targetAtStart(2 * p), lanes.targetAtStart(2 * p + 1)};
    if (!std::isfinite(targets[0]) || !std::isfinite(targets[1])) {
        valid = false;
        return;
    }
    const AxisMotion<DoublePair>& pair = lanes.pair(p);
    const int held = _mm_movemask_pd(pair.held);
    const float amounts[2] = {static_cast<float>(pair.amount.low()), static_cast<float>(pair.amount.high())};
    for (int side = 0; side < 2; ++side) {
        inputs[side] = laneInputs(lanes.record(2 * p + side), targets[side], (held >> side & 1) != 0, amounts[side],
                                  lanes.sourceBank());
    }
    rateBits = bitsOf(invSampleRate);
    lfoIsNumber = std::isfinite(lanes.sourceBank()[kLfoSourceSlot]);
    // The last sample's modulation step, for either sign: a lane on the
    // LFO reads the square wave here (its value only shows through its sign).
    const DoublePair inv(static_cast<double>(invSampleRate));
    for (const double square : {-1.0, 1.0}) {
        AxisMotion<DoublePair>& results = afterLastSample[square > 0.0 ? 1 : 0];
        results = pair;
        stepModulation(results, lanes.sources(p).with(square, square), inv);
    }
    valid = true;
}
