#include "engine/axis_lanes.h"

#include <emmintrin.h>

namespace {

inline __m128d pairAt(const double* lanes) {
    return _mm_load_pd(lanes);
}

inline void storePair(double* lanes, __m128d value) {
    _mm_store_pd(lanes, value);
}

// Two doubles narrowed into two adjacent floats; the store goes through
// __m128i, which may alias anything.
inline void narrowInto(float* pair, __m128d value) {
    _mm_storel_epi64(reinterpret_cast<__m128i*>(pair), _mm_castps_si128(_mm_cvtpd_ps(value)));
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

} // namespace

void AxisLanes::load(AxisRecord* const (&records)[kLanes], int bankSize) {
    for (int lane = 0; lane < kLanes; ++lane) {
        AxisRecord& axis = *records[lane];
        const AxisModulator& modulator = axis.modulators[0];
        axes[lane] = &axis;
        sourceSlots[lane] = modulator.source >= 0 && modulator.source < bankSize ? modulator.source : kSilentSourceSlot;
        pos[lane] = axis.pos;
        velocity[lane] = axis.velocity;
        accel[lane] = axis.accel;
        damping[lane] = axis.damping;
        stiffness[lane] = axis.stiffness;
        staticPos[lane] = axis.staticPos;
        staticCoeff[lane] = axis.staticCoeff;
        modTarget[lane] = modulator.target;
        modPos[lane] = modulator.pos;
        modVelocity[lane] = modulator.velocity;
        modAccel[lane] = modulator.accel;
        modDamping[lane] = modulator.damping;
        modStiffness[lane] = modulator.stiffness;
    }
}

void AxisLanes::step(const float* sourceBank, float invSampleRate) {
    for (int lane = 0; lane < kLanes; ++lane) {
        targets[lane] = axes[lane]->target;
        amounts[lane] = axes[lane]->modulators[0].amount;
        sources[lane] = sourceBank[sourceSlots[lane]];
    }

    const __m128d inv = _mm_set1_pd(static_cast<double>(invSampleRate));
    const __m128d half = _mm_set1_pd(0.5);
    for (int lane = 0; lane < kLanes; lane += 2) {
        // accel = (target − pos) × stiffness; velocity = accel + velocity × damping;
        // pos = pos + velocity × invSampleRate.
        const __m128d target = pairAt(targets + lane);
        const __m128d oldPos = pairAt(pos + lane);
        const __m128d a = single(_mm_mul_pd(_mm_sub_pd(target, oldPos), pairAt(stiffness + lane)));
        const __m128d v = single(_mm_add_pd(a, _mm_mul_pd(pairAt(velocity + lane), pairAt(damping + lane))));
        const __m128d p = single(_mm_add_pd(oldPos, _mm_mul_pd(v, inv)));
        storePair(accel + lane, a);
        storePair(velocity + lane, v);
        storePair(pos + lane, p);

        // A released target glides home: target − (target − staticPos) × staticCoeff.
        narrowInto(glidedTargets + lane, _mm_sub_pd(target, _mm_mul_pd(_mm_sub_pd(target, pairAt(staticPos + lane)),
                                                                       pairAt(staticCoeff + lane))));

        // The modulator chases (amount − 0.5) × source with its own spring.
        const __m128d mt = single(_mm_mul_pd(_mm_sub_pd(pairAt(amounts + lane), half), pairAt(sources + lane)));
        const __m128d oldModPos = pairAt(modPos + lane);
        const __m128d ma = single(_mm_mul_pd(_mm_sub_pd(mt, oldModPos), pairAt(modStiffness + lane)));
        const __m128d mv = single(_mm_add_pd(ma, _mm_mul_pd(pairAt(modVelocity + lane), pairAt(modDamping + lane))));
        const __m128d mp = single(_mm_add_pd(oldModPos, _mm_mul_pd(mv, inv)));
        storePair(modTarget + lane, mt);
        storePair(modAccel + lane, ma);
        storePair(modVelocity + lane, mv);
        storePair(modPos + lane, mp);

        narrowInto(outs + lane, clampOutput(_mm_add_pd(p, mp)));
    }

    for (int lane = 0; lane < kLanes; ++lane) {
        AxisRecord& axis = *axes[lane];
        if (!axis.held) {
            axis.target = glidedTargets[lane];
        }
        axis.out = outs[lane];
    }
}

void AxisLanes::store() const {
    for (int lane = 0; lane < kLanes; ++lane) {
        AxisRecord& axis = *axes[lane];
        AxisModulator& modulator = axis.modulators[0];
        axis.pos = static_cast<float>(pos[lane]);
        axis.velocity = static_cast<float>(velocity[lane]);
        axis.accel = static_cast<float>(accel[lane]);
        modulator.target = static_cast<float>(modTarget[lane]);
        modulator.pos = static_cast<float>(modPos[lane]);
        modulator.velocity = static_cast<float>(modVelocity[lane]);
        modulator.accel = static_cast<float>(modAccel[lane]);
    }
}
