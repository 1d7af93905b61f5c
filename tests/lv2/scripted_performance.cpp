#include "tests/lv2/scripted_performance.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "engine/parameter_table.h"

namespace {

constexpr std::uint32_t kBlockLengths[] = {0, 1, 2, 3, 17, 64, 127, 128, 500, 1024, 4096, 7919};

float writtenValue(std::mt19937& random) {
    switch (random() % 12) {
    case 0:
        return NAN;
    case 1:
        return INFINITY;
    case 2:
        return -INFINITY;
    case 3:
        return 1.7f;
    case 4:
        return -0.3f;
    default:
        return std::uniform_real_distribution<float>(0.0f, 1.0f)(random);
    }
}

std::vector<std::uint8_t> midiMessage(std::mt19937& random) {
    const auto channel = static_cast<std::uint8_t>(random() % 16);
    const auto note = static_cast<std::uint8_t>(random() % 128);
    const auto velocity = static_cast<std::uint8_t>(random() % 128);
    switch (random() % 8) {
    case 0:
    case 1:
    case 2:
        return {static_cast<std::uint8_t>(0x90 | channel), note, velocity};
    case 3:
    case 4:
        return {static_cast<std::uint8_t>(0x80 | channel), note, velocity};
    case 5:
        return {static_cast<std::uint8_t>(0xB0 | channel), static_cast<std::uint8_t>(random() % 2 ? 123 : 7), 0};
    case 6:
        return {static_cast<std::uint8_t>(0xC0 | channel), note}; // program change: two bytes
    default:
        return {static_cast<std::uint8_t>(0xE0 | channel), note, velocity}; // pitch bend
    }
}

} // namespace

std::vector<ScriptedBlock> scriptPerformance(unsigned seed, int blockCount) {
    std::mt19937 random(seed);
    std::vector<ScriptedBlock> blocks(static_cast<std::size_t>(blockCount));
    for (ScriptedBlock& block : blocks) {
        block.frames = kBlockLengths[random() % std::size(kBlockLengths)];
        if (random() % 3 == 0) {
            for (unsigned count = 1 + random() % 4; count > 0; --count) {
                block.writes.push_back({static_cast<std::int32_t>(random() % NumParams), writtenValue(random)});
            }
        }
        if (random() % 2 == 0) {
            for (unsigned count = 1 + random() % 3; count > 0; --count) {
                const auto frame = static_cast<std::int32_t>(block.frames == 0 ? 0 : random() % block.frames);
                block.events.push_back({frame, midiMessage(random), random() % 8 != 0});
            }
            std::stable_sort(block.events.begin(), block.events.end(),
                             [](const ScriptedEvent& a, const ScriptedEvent& b) { return a.frame < b.frame; });
        }
    }
    return blocks;
}
