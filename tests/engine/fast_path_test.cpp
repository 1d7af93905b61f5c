// The fast block path against the plain per-sample law: long random
// performances played into two engines, one through render, one through
// renderPlain, must give the same samples and the same state after every
// block, bit for bit.
//
// A longer run (README): QUORVANE_DIFFERENTIAL_BLOCKS=200000
// QUORVANE_DIFFERENTIAL_SEED=7 build/engine_tests --gtest_filter='FastPath.*'
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "tests/engine/engine_fixture.h"
#include "tests/engine/engine_state_compare.h"

namespace {

long environmentNumber(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text != nullptr ? std::strtol(text, nullptr, 10) : fallback;
}

// Plays the same random performance into both engines between blocks.
class RandomPerformance {
public:
    explicit RandomPerformance(std::uint32_t seed) : random(seed) {}

    // Long quiet stretches let axes settle (and pairs rest); busy ones move
    // everything at once.
    void betweenBlocks(Engine& fast, Engine& plain) {
        const auto both = [&](const std::function<void(Engine&)>& action) {
            action(fast);
            action(plain);
        };
        if (--moodLeft <= 0) {
            busy = chance(0.4);
            moodLeft = below(busy ? 40 : 200) + 1;
            if (!busy) {
                settleSomeAxes(both);
            }
        }
        const int events = busy ? below(6) : (chance(0.05) ? 1 : 0);
        for (int e = 0; e < events; ++e) {
            oneEvent(both);
        }
        if (chance(0.01)) {
            sampleRate = pick<float>({44100.0f, 48000.0f, 96000.0f, 22050.0f, 8000.0f, 192000.0f, 199999.0f, 0.0f,
                                      NAN, 44100.0f, 44100.0f});
        }
    }

    std::int32_t blockLength() {
        if (chance(0.3)) {
            return pick<std::int32_t>({0, 1, 2, 3, 7, 31, 32, 63, 64, 65, 333, 512, 1024, 1500});
        }
        return below(700);
    }

    float rate() const { return sampleRate; }

private:
    using Both = std::function<void(const std::function<void(Engine&)>&)>;

    bool chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(random) < p; }
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    template <typename T> T pick(std::initializer_list<T> values) {
        return *(values.begin() + below(static_cast<int>(values.size())));
    }

    // Mostly what knobs send, sometimes the exact middle (no modulation) or
    // an end, rarely what no knob sends.
    float value() {
        const double roll = std::uniform_real_distribution<double>(0.0, 1.0)(random);
        if (roll < 0.6) {
            return std::uniform_real_distribution<float>(0.0f, 1.0f)(random);
        }
        if (roll < 0.75) {
            return 0.5f;
        }
        if (roll < 0.9) {
            return pick<float>({0.0f, 1.0f, 0.59090906f, 0.9f});
        }
        return pick<float>({NAN, INFINITY, -INFINITY, -0.5f, 1.5f, 1e-40f, -1e-40f, 1e-6f, 3e38f, -3e38f, 2.0f});
    }

    void settleSomeAxes(const Both& both) {
        for (int axis = 0; axis < 6; ++axis) {
            if (chance(0.5)) {
                const std::int32_t first = kParameterOrder[axis].firstParameter;
                const float staticRate = pick<float>({0.9f, 0.5f, 1.0f});
                const float overshoot = pick<float>({0.0f, 0.3f});
                both([&](Engine& e) {
                    e.setParameter(first + kStaticRate, staticRate);
                    e.setParameter(first + kOvershoot, overshoot);
                    e.setParameter(first + kM0Overshoot, overshoot);
                });
            }
        }
    }

    void oneEvent(const Both& both) {
        const int note = below(128);
        const int velocity = chance(0.2) ? 0 : below(128);
        const int axis = below(6);
        switch (below(9)) {
        case 0:
            both([&](Engine& e) { noteOn(e, note, velocity, below(16)); });
            break;
        case 1:
            both([&](Engine& e) { noteOff(e, note); });
            break;
        case 2:
            both([&](Engine& e) { sendMidi(e, 0xB0, 123, 0); });
            break;
        case 3:
        case 4: {
            const std::int32_t index = below(NumParams + 2) - 1;
            const float v = value();
            both([&](Engine& e) { e.setParameter(index, v); });
            break;
        }
        case 5: { // the editor grabs or lets go of an axis
            const bool held = chance(0.5);
            const float target = value();
            both([&](Engine& e) {
                e.axes[axis].held = held;
                e.axes[axis].target = target;
                e.paramsDirty = true;
            });
            break;
        }
        case 6: { // the editor drags a modulation pad
            const float amount = value();
            both([&](Engine& e) { e.axes[axis].modulators[0].amount = amount; });
            break;
        }
        case 7: { // the editor releases every axis
            both([&](Engine& e) {
                for (AxisIndex released : kReleaseOrder) {
                    e.axes[released].held = false;
                }
            });
            break;
        }
        case 8: { // an LFO loud enough to be heard in the modulation
            const float depth = value();
            both([&](Engine& e) {
                e.setParameter(LXStaticPos, depth);
                e.setParameter(LXStaticRate, 0.9f);
            });
            break;
        }
        }
    }

    std::mt19937 random;
    float sampleRate = kRate44100;
    bool busy = false;
    int moodLeft = 0;
};

// Bits, so that NaN and -0.0 compare as what they are.
std::vector<std::uint32_t> bitsOf(const std::vector<float>& samples) {
    std::vector<std::uint32_t> bits(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        std::memcpy(&bits[i], &samples[i], sizeof(float));
    }
    return bits;
}

// One block of frames through both engines, render and renderPlain: the
// same samples and the same state after it, or where they differ.
testing::AssertionResult sameBlock(Engine& fast, Engine& plain, float rate, std::int32_t frames) {
    std::vector<float> a(static_cast<std::size_t>(frames)), b(a.size());
    fast.render(rate, a.data(), nullptr, frames);
    plain.renderPlain(rate, b.data(), nullptr, frames);
    if (bitsOf(a) != bitsOf(b)) {
        return testing::AssertionFailure() << "the samples differ";
    }
    return sameEngineState(fast, plain);
}

TEST(FastPath, RandomPerformancesMatchThePlainLawSampleForSampleAndFieldForField) {
    const long blocks = environmentNumber("QUORVANE_DIFFERENTIAL_BLOCKS", 4000);
    const auto seed = static_cast<std::uint32_t>(environmentNumber("QUORVANE_DIFFERENTIAL_SEED", 2024));
    auto fast = makeEngine();
    auto plain = makeEngine();
    RandomPerformance performance(seed);
    long quietBlocks = 0;
    for (long block = 0; block < blocks; ++block) {
        performance.betweenBlocks(*fast, *plain);
        const std::int32_t frames = performance.blockLength();
        const auto size = static_cast<std::size_t>(frames);
        std::vector<float> fastLeft(size), fastRight(size), plainLeft(size), plainRight(size);
        const float pitchBefore = fast->axes[kAxisMY].pos;
        fast->render(performance.rate(), fastLeft.data(), fastRight.data(), frames);
        plain->renderPlain(performance.rate(), plainLeft.data(), plainRight.data(), frames);
        quietBlocks += frames > 0 && fast->axes[kAxisMY].pos == pitchBefore ? 1 : 0;
        ASSERT_EQ(bitsOf(fastLeft), bitsOf(plainLeft)) << "block " << block << ", seed " << seed;
        ASSERT_EQ(bitsOf(fastRight), bitsOf(plainRight)) << "block " << block;
        ASSERT_TRUE(sameEngineState(*fast, *plain)) << "after block " << block << ", seed " << seed;
    }
    // The performance must give the shortcuts something to do both ways.
    EXPECT_GT(quietBlocks, blocks / 20);
    EXPECT_LT(quietBlocks, blocks - blocks / 20);
}

// The corners a block start decides: pairs that look at rest but for the
// sign or the size of the LFO, springs among denormal numbers, blocks of one
// sample and of none.
TEST(FastPath, CornersOfTheRestDecisionMatchThePlainLaw) {
    auto fast = makeEngine();
    auto plain = makeEngine();
    for (Engine* engine : {fast.get(), plain.get()}) {
        engine->setParameter(LXStaticRate, 1.0f);
        engine->setParameter(LYStaticPos, 0.9f);
        engine->setParameter(LYStaticRate, 1.0f);
        // Held at a denormal target: the springs creep through numbers
        // below the float range's normal end.
        engine->axes[kAxisFX].held = true;
        engine->axes[kAxisFX].target = 1e-39f;
        engine->setParameter(FXRate, 1.0f);
        engine->setParameter(FXTargetPos, 1e-39f);
        // A modulator so weak (the smallest denormal stiffness) that an LFO
        // of ±1 could not move it, but the LFO here swings ±2.25.
        engine->setParameter(LXStaticPos, 1.5f);
        for (std::int32_t first : {MYTargetPos, MXTargetPos}) {
            engine->setParameter(first + kRate, 1.0f);
            engine->setParameter(first + kOvershoot, 0.0f);
            engine->setParameter(first + kStaticRate, 1.0f);
        }
        engine->setParameter(MYM0Amount, 0.9f);
        engine->setParameter(MYM0Rate, 3.76e-23f);
    }
    for (std::int32_t frames : {4096, 1, 1, 0, 2, 4096, 4096, 1, 777, 0, 4096}) {
        ASSERT_TRUE(sameBlock(*fast, *plain, kRate44100, frames)) << frames << " frames";
    }
    EXPECT_NE(fast->modSources[kLfoSourceSlot], 0.0f) << "the LFO runs under the resting axes";
}

// A pair at rest is remembered from block to block, and its block start is
// skipped while nothing it reads changes. Whatever does change it must wake
// the pair: what the editor, MIDI and the host write, the motion written
// directly, the LFO's last value, and a snap that snaps again.
TEST(FastPath, PairsRememberedAtRestWakeForWhateverTheirBlockStartReads) {
    auto fast = makeEngine();
    auto plain = makeEngine();
    const auto both = [&](const std::function<void(Engine&)>& change) {
        change(*fast);
        change(*plain);
    };
    float rate = kRate44100;
    const auto play = [&](const std::string& after) {
        for (std::int32_t frames : {512, 512, 1, 0, 64, 333, 512, 512}) {
            ASSERT_TRUE(sameBlock(*fast, *plain, rate, frames)) << after << ", " << frames << " frames";
        }
    };
    both([](Engine& e) {
        for (const AxisBinding& binding : kParameterOrder) {
            e.setParameter(binding.firstParameter + kStaticRate, 1.0f);
            e.setParameter(binding.firstParameter + kOvershoot, 0.0f);
            e.setParameter(binding.firstParameter + kM0Overshoot, 0.0f);
        }
        e.setParameter(MYM0Amount, 0.5f);
    });
    const auto resting = [&] {
        for (const AxisRecord& axis : fast->axes) {
            if (axis.velocity != 0.0f || axis.modulators[0].velocity != 0.0f) {
                return false;
            }
        }
        return true;
    };
    // Until every pair rests (an LFO that drives a modulator keeps its pair
    // moving), and then for long enough to be remembered.
    const auto playToRest = [&](const std::string& after) {
        play(after);
        for (int i = 0; i < 100 && !resting(); ++i) {
            play(after);
        }
        play(after);
    };
    playToRest("the start");
    ASSERT_TRUE(resting());

    const std::pair<std::string, std::function<void(Engine&)>> changes[] = {
        {"the editor grabs FX",
         [](Engine& e) {
             e.axes[kAxisFX].held = true;
             e.axes[kAxisFX].target = 0.7f;
         }},
        {"and moves it", [](Engine& e) { e.axes[kAxisFX].target = 0.6f; }},
        {"and lets it go", [](Engine& e) { e.axes[kAxisFX].held = false; }},
        {"an LY modulation", [](Engine& e) { e.axes[kAxisLY].modulators[0].amount = 0.75f; }},
        {"no LY modulation", [](Engine& e) { e.axes[kAxisLY].modulators[0].amount = 0.5f; }},
        {"a static position", [](Engine& e) { e.setParameter(FYStaticPos, 0.3f); }},
        {"a position written", [](Engine& e) { e.axes[kAxisLX].pos = e.axes[kAxisLX].pos + 0.0002f; }},
        {"a velocity written", [](Engine& e) { e.axes[kAxisFY].velocity = 0.001f; }},
        {"a modulator's velocity", [](Engine& e) { e.axes[kAxisFY].modulators[0].velocity = 0.5f; }},
        {"a modulator's position", [](Engine& e) { e.axes[kAxisLY].modulators[0].pos = 0.001f; }},
        {"an LFO value that is no number", [](Engine& e) { e.modSources[kLfoSourceSlot] = NAN; }},
        {"a note", [](Engine& e) { noteOn(e, 64); }},
        {"its release", [](Engine& e) { noteOff(e, 64); }},
        // Rate 0: the position never moves, and each block start's snap
        // brings it another step: onto the target, which snapped home.
        {"a snap that snaps again",
         [](Engine& e) {
             e.setParameter(MXRate, 0.0f);
             e.setParameter(MXStaticPos, 0.50016f);
             e.setParameter(MXTargetPos, 0.50008f);
             e.axes[kAxisMX].held = true;
             e.axes[kAxisMX].pos = 0.5f;
             e.axes[kAxisMX].velocity = 0.0f;
         }},
    };
    for (const auto& [what, change] : changes) {
        both(change);
        playToRest(what);
    }
    EXPECT_EQ(fast->axes[kAxisMX].pos, 0.50016f) << "the snaps went all the way";

    // A target that is no number reads as 0.0, and the block puts 0.0 back:
    // an editor that writes it before every block sees it replaced each time.
    both([](Engine& e) { e.setParameter(LXStaticPos, 0.0f); });
    playToRest("LX at 0.0");
    for (int block = 0; block < 4; ++block) {
        both([](Engine& e) { e.axes[kAxisLX].target = NAN; });
        ASSERT_TRUE(sameBlock(*fast, *plain, rate, 64)) << "a target that is no number, block " << block;
    }
}

// An axis that comes to rest at a block start (its position snapped onto
// its target, its velocity flushed) rests from then on while its modulator
// follows the LFO, but the block's last sample still leaves its own
// acceleration, not the one from before.
TEST(FastPath, AnAxisThatStopsAtABlockStartLeavesItsLastSamplesResults) {
    auto fast = makeEngine();
    auto plain = makeEngine();
    for (Engine* engine : {fast.get(), plain.get()}) {
        for (AxisIndex index : {kAxisFX, kAxisFY}) {
            AxisRecord& axis = engine->axes[index];
            axis.target = axis.staticPos;
            axis.pos = axis.staticPos;
            axis.velocity = 0.0f;
        }
        AxisRecord& stopping = engine->axes[kAxisFY];
        stopping.pos = stopping.staticPos + 0.00005f;
        stopping.velocity = 0.000005f;
        stopping.accel = 0.001f;
        stopping.modulators[0].amount = 0.75f;
    }
    for (int block = 0; block < 2; ++block) {
        ASSERT_TRUE(sameBlock(*fast, *plain, kRate44100, 64)) << "block " << block;
    }
    EXPECT_EQ(fast->axes[kAxisFY].accel, 0.0f);
}

// The LFO value a block starts from is the one the previous block left,
// which may have another depth than the resting L axes give now (when a
// snap at the block start moved them): the first sample reads that value.
TEST(FastPath, TheFirstSampleReadsTheLfoValueThePreviousBlockLeft) {
    auto fast = makeEngine();
    auto plain = makeEngine();
    for (Engine* engine : {fast.get(), plain.get()}) {
        for (AxisIndex index : {kAxisLX, kAxisLY}) {
            AxisRecord& axis = engine->axes[index];
            axis.target = axis.staticPos;
            axis.pos = axis.staticPos;
            axis.velocity = 0.0f;
        }
        engine->axes[kAxisMY].modulators[0].amount = 0.75f;
        engine->modSources[kLfoSourceSlot] = 0.3f;
    }
    ASSERT_TRUE(sameBlock(*fast, *plain, kRate44100, 64));
}

} // namespace
