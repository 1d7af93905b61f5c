// Hosts run their audio threads with whatever SSE state they like; the
// samples must not depend on it, and the host must get its state back.
#include <gtest/gtest.h>

#include <xmmintrin.h>

#include <cstring>

#include "tests/engine/engine_fixture.h"

namespace {

constexpr unsigned int kControlBits = ~0x3Fu; // all but the status flags
constexpr unsigned int kFlushToZero = 0x8000;
constexpr unsigned int kDenormalsAreZero = 0x0040;
constexpr unsigned int kRoundTowardZero = 0x6000;

// Springs creeping among denormal numbers, where flushing would show.
void denormalPatch(Engine& engine) {
    noteOn(engine, 60, 90);
    engine.axes[kAxisFX].held = true;
    engine.axes[kAxisFX].target = 1e-39f;
    engine.setParameter(FXTargetPos, 1e-39f);
    engine.setParameter(FXRate, 1.0f);
    engine.setParameter(MYM0Amount, 0.8f);
}

TEST(HostFloatingPoint, SamplesDoNotDependOnTheHostsStateAndTheHostGetsItsStateBack) {
    const unsigned int hostDefault = _mm_getcsr();
    auto reference = makeEngine();
    auto underHost = makeEngine();
    denormalPatch(*reference);
    denormalPatch(*underHost);
    const unsigned int hostState = (hostDefault | kFlushToZero | kDenormalsAreZero | kRoundTowardZero);
    for (int block = 0; block < 40; ++block) {
        std::vector<float> expected(333), actual(333);
        reference->render(kRate44100, expected.data(), nullptr, 333);
        _mm_setcsr(hostState);
        underHost->render(kRate44100, actual.data(), nullptr, 333);
        const unsigned int after = _mm_getcsr();
        _mm_setcsr(hostDefault);
        ASSERT_EQ(after & kControlBits, hostState & kControlBits) << "block " << block;
        ASSERT_EQ(std::memcmp(expected.data(), actual.data(), expected.size() * sizeof(float)), 0) << "block " << block;
        ASSERT_EQ(_mm_getcsr() & kControlBits, hostDefault & kControlBits);
    }
    EXPECT_NE(underHost->axes[kAxisFX].pos, 0.0f) << "the axis crept towards its denormal target";
}

} // namespace
