#include "engine/resting_pair_memo.h"

namespace {

class ResultRecords {
public:
    explicit ResultRecords(AxisRecord (&records)[2]) : records(records) {}
    template <typename Store> void put(DoublePair value, Store store) {
        store(records[0], static_cast<float>(value.low()));
        store(records[1], static_cast<float>(value.high()));
    }

private:
    AxisRecord (&records)[2];
};

} // namespace

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
        inputs[side] = LaneInputs(lanes.record(2 * p + side), targets[side], (held >> side & 1) != 0, amounts[side]);
    }
    lfoIsNumber = std::isfinite(lanes.sourceBank()[kLfoSourceSlot]);
    out = pair.out;
    // The last sample's modulation step, for either sign: a lane on the
    // LFO reads the square wave here (its value only shows through its sign).
    const DoublePair inv(static_cast<double>(invSampleRate));
    for (const double square : {-1.0, 1.0}) {
        AxisMotion<DoublePair> last = pair;
        stepModulation(last, lanes.sources(p).with(square, square), inv);
        ResultRecords into(results[square > 0.0 ? 1 : 0]);
        putResults(last, into);
    }
    valid = true;
}
