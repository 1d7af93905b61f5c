// The LV2 build plays every performance with the very samples of the VST 2
// build: both binaries are loaded as hosts load them (lilv for LV2, the
// entry and descriptor for VST 2), given the same script, and compared bit
// for bit after every block, audio and the moving targets alike.
#include <gtest/gtest.h>

#include <lv2/atom/atom.h>

#include <cmath>
#include <cstring>

#include "engine/axis_orders.h"
#include "lv2/port_layout.h"
#include "tests/lv2/lilv_host.h"
#include "tests/lv2/vst2_player.h"

namespace {

// A type that is neither MIDI nor ours: some hosts put such events on the
// MIDI port.
constexpr const char* kForeignEventUri = "urn:quorvane:test:not-midi";

void queueBlock(Lv2Instance& lv2, UridTable& urids, const ScriptedBlock& block) {
    for (const ParameterWrite& write : block.writes) {
        lv2.port(lv2_ports::kFirstControl + static_cast<std::uint32_t>(write.index)) = write.value;
    }
    for (const ScriptedEvent& event : block.events) {
        if (event.isMidi) {
            lv2.queueMidi(event.frame, event.bytes);
        } else {
            lv2.queueEvent(event.frame, urids.map(kForeignEventUri), event.bytes.data(),
                           static_cast<std::uint32_t>(event.bytes.size()));
        }
    }
}

struct Comparison {
    int blocksCompared = 0;
    long audibleSamples = 0;
};

// Plays the blocks on both and stops at the first difference.
void playAndCompare(Lv2Instance& lv2, UridTable& urids, Vst2Player& vst2, const std::vector<ScriptedBlock>& blocks,
                    Comparison& comparison) {
    for (const ScriptedBlock& block : blocks) {
        queueBlock(lv2, urids, block);
        lv2.run(block.frames);
        vst2.play(block);
        // An empty block's buffers may have no storage at all.
        const std::size_t bytes = block.frames * sizeof(float);
        ASSERT_TRUE(bytes == 0 || std::memcmp(lv2.left().data(), vst2.left().data(), bytes) == 0)
            << "left channel, block " << comparison.blocksCompared;
        ASSERT_TRUE(bytes == 0 || std::memcmp(lv2.right().data(), vst2.right().data(), bytes) == 0)
            << "right channel, block " << comparison.blocksCompared;
        for (int slot = 0; slot < kNumAxes; ++slot) {
            const float lv2Target = lv2.port(lv2_ports::kFirstTarget + static_cast<std::uint32_t>(slot));
            const float vst2Target = vst2.parameter(kParameterOrder[slot].firstParameter);
            ASSERT_EQ(bitsOf(lv2Target), bitsOf(vst2Target))
                << "target of axis slot " << slot << ", block " << comparison.blocksCompared;
        }
        for (std::uint32_t frame = 0; frame < block.frames; ++frame) {
            comparison.audibleSamples += lv2.left()[frame] != 0.0f ? 1 : 0;
        }
        ++comparison.blocksCompared;
    }
}

class SameSamples : public ::testing::Test {
protected:
    Lv2World world;
    UridTable urids;
    LoadedPlugin library;
};

TEST_F(SameSamples, EveryRateEveryBlockLengthEveryKindOfEvent) {
    ASSERT_NE(world.quorvane(), nullptr) << "Quorvane not found in LV2_PATH";
    // Each rate is a new instance of each build, as an LV2 host must
    // re-instantiate to change it; the last two are rates no host should
    // send, which both builds must survive alike.
    unsigned seed = 1;
    for (double rate : {44100.0, 96000.0, 7350.0, 0.5, 0.0}) {
        SCOPED_TRACE(rate);
        Lv2Instance lv2(world, urids, rate);
        ASSERT_TRUE(lv2.valid());
        lv2.activate();
        Vst2Player vst2(library, static_cast<float>(rate));
        ASSERT_TRUE(vst2.valid());
        Comparison comparison;
        playAndCompare(lv2, urids, vst2, scriptPerformance(seed++, 400), comparison);
        if (rate >= 1.0) {
            EXPECT_GT(comparison.audibleSamples, 10000) << "a performance that plays nothing proves nothing";
        }
    }
}

// After activate the instance is a fresh one that has been given the ports'
// values: the same as a new VST 2 instance given the same parameters.
TEST_F(SameSamples, ActivateForgetsEverythingButThePorts) {
    ASSERT_NE(world.quorvane(), nullptr);
    Lv2Instance lv2(world, urids, 48000.0);
    ASSERT_TRUE(lv2.valid());
    lv2.activate();
    Comparison first;
    {
        Vst2Player earlier(library, 48000.0f);
        playAndCompare(lv2, urids, earlier, scriptPerformance(11, 200), first);
    }
    lv2.deactivate();
    lv2.activate();
    Vst2Player fresh(library, 48000.0f);
    for (std::int32_t index = 0; index < NumParams; ++index) {
        fresh.write(index, lv2.port(lv2_ports::kFirstControl + static_cast<std::uint32_t>(index)));
    }
    Comparison second;
    playAndCompare(lv2, urids, fresh, scriptPerformance(12, 200), second);
    EXPECT_GT(second.audibleSamples, 1000);
}

} // namespace
