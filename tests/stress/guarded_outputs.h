// The host's output buffers for one block, with a guard zone past the
// longest block, and the checks every block's samples must pass.
#pragma once

#include <cstdint>
#include <vector>

#include "tests/stress/failure_log.h"
#include "tests/stress/host_choices.h"

constexpr std::int32_t kLongestBlock = 4096;

// Mostly the powers of two hosts like, sometimes any length up to the
// longest; a host that sends anything also sends none at all, or less.
std::int32_t chooseFrames(HostChoices& choose, bool anything);

class GuardedOutputs {
public:
    GuardedOutputs();

    // Both channels filled with the guard value, ready for a block.
    float** channels();

    // Every written sample a number and the same in both channels, nothing
    // written past the block, and the loudest magnitude within bound.
    // Answers the loudest magnitude.
    float check(std::int32_t frames, float bound, FailureLog& failures) const;

    // The block's samples of both channels, bit for bit.
    bool sameAs(const GuardedOutputs& other, std::int32_t frames) const;

private:
    std::vector<float> left;
    std::vector<float> right;
    float* pointers[2] = {};
};
