#include "tests/stress/guarded_outputs.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace {

constexpr std::int32_t kGuardFrames = 16;
// No block may write it; beyond every bound the checks use.
constexpr float kGuard = 12345.0f;

} // namespace

std::int32_t chooseFrames(HostChoices& choose, bool anything) {
    if (anything && choose.chance(0.02)) {
        return choose.between(-8, 0);
    }
    return choose.chance(0.5) ? 1 << choose.between(4, 12) : choose.between(0, kLongestBlock);
}

GuardedOutputs::GuardedOutputs() : left(kLongestBlock + kGuardFrames), right(kLongestBlock + kGuardFrames) {}

float** GuardedOutputs::channels() {
    std::fill(left.begin(), left.end(), kGuard);
    std::fill(right.begin(), right.end(), kGuard);
    pointers[0] = left.data();
    pointers[1] = right.data();
    return pointers;
}

float GuardedOutputs::check(std::int32_t frames, float bound, FailureLog& failures) const {
    const std::int32_t written = std::max(frames, 0);
    float loudest = 0.0f;
    for (std::int32_t i = 0; i < written; ++i) {
        if (!std::isfinite(left[i]) || left[i] != right[i]) {
            failures.record("sample " + std::to_string(i) + " is " + std::to_string(left[i]) + " and " +
                            std::to_string(right[i]));
            return loudest;
        }
        loudest = std::max(loudest, std::fabs(left[i]));
    }
    if (loudest > bound) {
        failures.record("a block reached " + std::to_string(loudest) + ", beyond " + std::to_string(bound));
    }
    for (std::int32_t i = written; i < written + kGuardFrames; ++i) {
        if (left[i] != kGuard || right[i] != kGuard) {
            failures.record("a block of " + std::to_string(frames) + " frames wrote past its end");
            break;
        }
    }
    return loudest;
}

bool GuardedOutputs::sameAs(const GuardedOutputs& other, std::int32_t frames) const {
    const std::size_t bytes = sizeof(float) * static_cast<std::size_t>(std::max(frames, 0));
    return std::memcmp(left.data(), other.left.data(), bytes) == 0 &&
           std::memcmp(right.data(), other.right.data(), bytes) == 0;
}
