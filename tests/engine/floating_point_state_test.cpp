// The engine computes in a floating-point state of its own: the host's state
// changes no sample, comes back untouched, and no denormal number lingers in
// the output or the delay memory once the echoes have died away.
#include <gtest/gtest.h>

#include <xmmintrin.h>

#include <cmath>

#include "tests/engine/engine_fixture.h"
#include "tests/support/dying_echoes.h"

namespace {

constexpr int kSecond = 44100;
// The host's modes; the low six bits only record which exceptions happened,
// and any arithmetic of the test's own sets them.
constexpr unsigned int kControlBits = ~0x3Fu;

bool isDenormal(float value) { return std::fpclassify(value) == FP_SUBNORMAL; }

TEST(FloatingPointState, EchoesDieAwayToExactSilenceWithoutDenormals) {
    auto engine = engineWithDyingEchoes();
    noteOn(*engine, 60, 100);
    render(*engine, kSecond);
    noteOff(*engine, 60);
    const Rendered tail = render(*engine, 60 * kSecond);
    int denormals = 0;
    for (float sample : tail.left) {
        denormals += isDenormal(sample) ? 1 : 0;
    }
    EXPECT_EQ(denormals, 0);
    for (int i = 50 * kSecond; i < 60 * kSecond; ++i) {
        ASSERT_EQ(tail.left[static_cast<std::size_t>(i)], 0.0f) << "sample " << i;
    }
    for (float slot : engine->delay.buffer) {
        ASSERT_EQ(slot, 0.0f);
    }
}

// A performance with echoes dying away and a host that stores a denormal.
Rendered performance() {
    auto engine = engineWithDyingEchoes();
    engine->setParameter(LXStaticPos, 1.0e-40f);
    noteOn(*engine, 64, 90);
    render(*engine, kSecond / 2, 100);
    noteOff(*engine, 64);
    return render(*engine, 25 * kSecond, 100);
}

TEST(FloatingPointState, TheHostsStateChangesNoSampleAndComesBack) {
    const unsigned int hostDefault = _mm_getcsr();
    const Rendered reference = performance();
    const unsigned int hostStates[] = {
        hostDefault | _MM_FLUSH_ZERO_ON | 0x0040, // flush-to-zero and denormals-are-zero
        (hostDefault & ~_MM_ROUND_MASK) | _MM_ROUND_TOWARD_ZERO,
        (hostDefault & ~_MM_ROUND_MASK) | _MM_ROUND_UP,
    };
    for (unsigned int state : hostStates) {
        _mm_setcsr(state);
        const Rendered rendered = performance();
        const unsigned int after = _mm_getcsr();
        _mm_setcsr(hostDefault);
        EXPECT_EQ(after & kControlBits, state & kControlBits);
        EXPECT_EQ(rendered.left, reference.left) << std::hex << state;
    }
}

} // namespace
