// The six axes during one block. Their moving state is taken out of the
// records into lanes side by side, so the spring law runs on two axes per
// SSE2 instruction, and goes back into the records when the block ends.
//
// Every step is worked out in double precision from single-precision values
// and rounded to single precision where the field it goes to is single, exactly
// as one axis at a time would be: the lanes change the speed, not the bits.
#pragma once

#include <emmintrin.h>

#include <cstdint>

#include "engine/axis_orders.h"
#include "engine/axis_record.h"

// Slots 0..10 are the modulation source bank; the extra slot stays 0.0 and is
// what a modulator reads when its source lies outside the bank.
constexpr int kSourceBankSlots = 12;
constexpr int kSilentSourceSlot = 11;

class AxisLanes {
public:
    static constexpr int kLanes = kNumAxes;

    // Takes the moving state of six records, in the order they are stepped;
    // the modulators read their sources from sourceBank (kSourceBankSlots).
    void load(AxisRecord* const (&records)[kLanes], const float* sourceBank);

    // One sample of all six axes. Reads each record's target, held flag and
    // modulator amount afresh (the editor and MIDI write them), writes back
    // the gliding target of a released axis and every output.
    void step(float invSampleRate);

    // Puts the moving state back into the records.
    void store() const;

    float out(int lane) const { return outs[lane]; }

private:
    AxisRecord* axes[kLanes];
    // What each lane reads afresh every sample.
    const SharedValue<float>* targets[kLanes];
    const SharedValue<float>* amounts[kLanes];
    const float* sources[kLanes];

    // Lane order as in load(). The fields are single precision; the lanes
    // hold their values widened to double, which is exact and saves widening
    // them again every sample.
    alignas(16) double pos[kLanes];
    alignas(16) double velocity[kLanes];
    alignas(16) double accel[kLanes];
    alignas(16) double damping[kLanes];
    alignas(16) double stiffness[kLanes];
    alignas(16) double staticPos[kLanes];
    alignas(16) double staticCoeff[kLanes];
    alignas(16) double modTarget[kLanes];
    alignas(16) double modPos[kLanes];
    alignas(16) double modVelocity[kLanes];
    alignas(16) double modAccel[kLanes];
    alignas(16) double modDamping[kLanes];
    alignas(16) double modStiffness[kLanes];
    // The outputs of the latest sample.
    alignas(16) float outs[kLanes];
};

// The per-sample step is inline: it runs once per sample inside the block loop.
namespace axis_lanes_detail {

inline __m128d pairAt(const double* lanes) {
    return _mm_load_pd(lanes);
}

inline void storePair(double* lanes, __m128d value) {
    _mm_store_pd(lanes, value);
}

// What the other threads see of an axis after a sample: the gliding target
// of a released axis, and its output.
inline void publish(AxisRecord& axis, float glidedTarget, float out) {
    if (!axis.held) {
        axis.target = glidedTarget;
    }
    axis.out = out;
}

// What storing into a single-precision field and reading it back gives.
inline __m128d single(__m128d value) {
    return _mm_cvtps_pd(_mm_cvtpd_ps(value));
}

// 2.0 above 2.0, 0.0 below 0.0 and for NaN, else the value itself (-0.0 included).
inline __m128d clampOutput(__m128d v) {
    const __m128d two = _mm_set1_pd(2.0);
    const __m128d nonNegative = _mm_and_pd(_mm_cmpge_pd(v, _mm_setzero_pd()), v);
    const __m128d above = _mm_cmpgt_pd(v, two);
    return _mm_or_pd(_mm_and_pd(above, two), _mm_andnot_pd(above, nonNegative));
}

} // namespace axis_lanes_detail

inline void AxisLanes::step(float invSampleRate) {
    using namespace axis_lanes_detail;
    const __m128d inv = _mm_set1_pd(static_cast<double>(invSampleRate));
    const __m128d half = _mm_set1_pd(0.5);
    for (int lane = 0; lane < kLanes; lane += 2) {
        // accel = (target − pos) × stiffness; velocity = accel + velocity × damping;
        // pos = pos + velocity × invSampleRate.
        // Built in registers: a pair loaded from two separate stores would
        // wait for both to reach the cache.
        const __m128d target = _mm_set_pd(*targets[lane + 1], *targets[lane]);
        const __m128d oldPos = pairAt(pos + lane);
        const __m128d a = single(_mm_mul_pd(_mm_sub_pd(target, oldPos), pairAt(stiffness + lane)));
        const __m128d v = single(_mm_add_pd(a, _mm_mul_pd(pairAt(velocity + lane), pairAt(damping + lane))));
        const __m128d p = single(_mm_add_pd(oldPos, _mm_mul_pd(v, inv)));
        storePair(accel + lane, a);
        storePair(velocity + lane, v);
        storePair(pos + lane, p);

        // A released target glides home: target − (target − staticPos) × staticCoeff.
        const __m128 glided = _mm_cvtpd_ps(
            _mm_sub_pd(target, _mm_mul_pd(_mm_sub_pd(target, pairAt(staticPos + lane)), pairAt(staticCoeff + lane))));

        // The modulator chases (amount − 0.5) × source with its own spring.
        const __m128d amount = _mm_set_pd(*amounts[lane + 1], *amounts[lane]);
        const __m128d source = _mm_set_pd(*sources[lane + 1], *sources[lane]);
        const __m128d mt = single(_mm_mul_pd(_mm_sub_pd(amount, half), source));
        const __m128d oldModPos = pairAt(modPos + lane);
        const __m128d ma = single(_mm_mul_pd(_mm_sub_pd(mt, oldModPos), pairAt(modStiffness + lane)));
        const __m128d mv = single(_mm_add_pd(ma, _mm_mul_pd(pairAt(modVelocity + lane), pairAt(modDamping + lane))));
        const __m128d mp = single(_mm_add_pd(oldModPos, _mm_mul_pd(mv, inv)));
        storePair(modTarget + lane, mt);
        storePair(modAccel + lane, ma);
        storePair(modVelocity + lane, mv);
        storePair(modPos + lane, mp);

        const __m128 out = _mm_cvtpd_ps(clampOutput(_mm_add_pd(p, mp)));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(outs + lane), _mm_castps_si128(out));
        publish(*axes[lane], _mm_cvtss_f32(glided), _mm_cvtss_f32(out));
        publish(*axes[lane + 1], _mm_cvtss_f32(_mm_shuffle_ps(glided, glided, 1)),
                _mm_cvtss_f32(_mm_shuffle_ps(out, out, 1)));
    }
}
