// Two instances fed the same MIDI, parameters, sample rates and block lengths
// on one thread while the other threads poke at other instances: the same
// input must give the same samples and parameters, bit for bit.
#pragma once

#include <atomic>
#include <cstdint>

#include "tests/stress/instance_under_load.h"

// Plays the twins until run.stop, counting the blocks compared.
void playTwins(RunControl& run, std::uint32_t seed, std::atomic<std::int64_t>& blocksCompared);
