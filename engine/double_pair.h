// Two doubles in one SSE2 register, with the few operations the motion law
// uses. Each lane computes exactly what a plain double would: SSE2 rounds
// every operation of every lane to nearest on its own, as scalar SSE2 does.
#pragma once

#include <emmintrin.h>

class DoublePair {
public:
    // A lane mask: all bits set where a condition holds, none where it does not.
    using Flag = __m128d;

    DoublePair() = default;
    explicit DoublePair(__m128d lanes) : lanes(lanes) {}
    explicit DoublePair(double both) : lanes(_mm_set1_pd(both)) {}
    DoublePair(double low, double high) : lanes(_mm_set_pd(high, low)) {}

    double low() const { return _mm_cvtsd_f64(lanes); }
    double high() const { return _mm_cvtsd_f64(_mm_unpackhi_pd(lanes, lanes)); }

    friend DoublePair operator+(DoublePair a, DoublePair b) { return DoublePair(_mm_add_pd(a.lanes, b.lanes)); }
    friend DoublePair operator-(DoublePair a, DoublePair b) { return DoublePair(_mm_sub_pd(a.lanes, b.lanes)); }
    friend DoublePair operator*(DoublePair a, DoublePair b) { return DoublePair(_mm_mul_pd(a.lanes, b.lanes)); }

    __m128d lanes;
};

inline DoublePair::Flag pairFlag(bool low, bool high) {
    return _mm_castsi128_pd(_mm_set_epi64x(high ? -1 : 0, low ? -1 : 0));
}

// What storing into a single-precision field and reading it back gives.
inline DoublePair roundToSingle(DoublePair value) {
    return DoublePair(_mm_cvtps_pd(_mm_cvtpd_ps(value.lanes)));
}

// kept where the flag is set, moved elsewhere.
inline DoublePair keepIfHeld(DoublePair::Flag held, DoublePair kept, DoublePair moved) {
    return DoublePair(_mm_or_pd(_mm_and_pd(held, kept.lanes), _mm_andnot_pd(held, moved.lanes)));
}

// 2.0 above 2.0, 0.0 below 0.0 and for NaN, else the value itself (-0.0 included).
inline DoublePair clampOutput(DoublePair v) {
    const __m128d two = _mm_set1_pd(2.0);
    const __m128d nonNegative = _mm_and_pd(_mm_cmpge_pd(v.lanes, _mm_setzero_pd()), v.lanes);
    const __m128d above = _mm_cmpgt_pd(v.lanes, two);
    return DoublePair(_mm_or_pd(_mm_and_pd(above, two), _mm_andnot_pd(above, nonNegative)));
}

// True when both lanes hold the same bits in a and b (NaN equals itself).
inline bool sameBits(DoublePair a, DoublePair b) {
    const __m128i equal = _mm_cmpeq_epi32(_mm_castpd_si128(a.lanes), _mm_castpd_si128(b.lanes));
    return _mm_movemask_epi8(equal) == 0xFFFF;
}
