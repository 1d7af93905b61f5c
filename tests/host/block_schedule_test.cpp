// How a performance falls into blocks: the grid, the cuts at automation
// writes, the order of events within a frame, the length of the render.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "host/demo_performance.h"
#include "host/performance.h"

namespace {

MidiMessage message(double seconds, std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    return {seconds, {status, data1, data2}, 3};
}

std::vector<Block> allBlocks(BlockSchedule& schedule) {
    std::vector<Block> blocks;
    for (Block b{}; schedule.next(b);) {
        blocks.push_back(b);
    }
    return blocks;
}

TEST(BlockSchedule, GridBlocksWithTheLastOneShort) {
    Performance p;
    BlockSchedule schedule(p, 1000.0, 300, 1000);
    const std::vector<Block> blocks = allBlocks(schedule);
    ASSERT_EQ(blocks.size(), 4u);
    EXPECT_EQ(blocks[3].start, 900);
    EXPECT_EQ(blocks[3].frames, 100);
}

TEST(BlockSchedule, AutomationCutsTheBlockThatContainsIt) {
    Performance p;
    p.automation = {{0.25, 1, 0.5f}, {0.0, 0, 0.1f}, {0.25, 2, 0.7f}, {0.601, 3, 1.0f}};
    p.messages = {message(0.26, 0x90, 60, 100)};
    BlockSchedule schedule(p, 1000.0, 100, 1000);
    const std::vector<Block> blocks = allBlocks(schedule);
    std::vector<std::pair<std::int64_t, int>> layout;
    for (const Block& b : blocks) {
        layout.emplace_back(b.start, b.frames);
    }
    const std::vector<std::pair<std::int64_t, int>> expected = {{0, 100},   {100, 100}, {200, 50},  {250, 50},
                                                                 {300, 100}, {400, 100}, {500, 100}, {600, 1},
                                                                 {601, 99},  {700, 100}, {800, 100}, {900, 100}};
    EXPECT_EQ(layout, expected);
    EXPECT_EQ(blocks[0].writeCount, 1u);
    EXPECT_EQ(blocks[3].writeCount, 2u); // both writes at 0.25, in the order given
    EXPECT_EQ(schedule.writes()[blocks[3].firstWrite].index, 1);
    EXPECT_EQ(blocks[3].eventCount, 1u); // the note at 260 rides in the block cut at 250
    EXPECT_EQ(schedule.events()[blocks[3].firstEvent].frame - blocks[3].start, 10);
    EXPECT_EQ(blocks[8].writeCount, 1u);
    EXPECT_EQ(blocks[7].writeCount, 0u);
}

TEST(BlockSchedule, MostEventsInOneBlockBoundsEveryBlock) {
    Performance p;
    // 3 events in the grid cell [100, 200), cut in two by a write at 150;
    // 2 in [0, 100); 1 at the last frame.
    p.messages = {message(0.010, 0x90, 60, 1), message(0.099, 0x80, 60, 0), message(0.100, 0x90, 61, 1),
                  message(0.160, 0x90, 62, 1), message(0.199, 0x80, 61, 0), message(0.999, 0x80, 62, 0)};
    p.automation = {{0.15, 0, 1.0f}};
    BlockSchedule schedule(p, 1000.0, 100, 1000);
    EXPECT_EQ(schedule.maxEventsPerBlock(), 3u);
    std::size_t most = 0;
    for (const Block& b : allBlocks(schedule)) {
        most = std::max(most, b.eventCount);
    }
    EXPECT_EQ(most, 2u) << "the write's cut leaves at most 2 in one block, within the bound";
    EXPECT_EQ(BlockSchedule(Performance{}, 1000.0, 100, 1000).maxEventsPerBlock(), 0u);
}

TEST(BlockSchedule, ReleasesBeforeNoteOnsAtOneFrameOtherwiseFileOrder) {
    Performance p;
    p.messages = {message(0.5, 0x90, 60, 100), message(0.5, 0xB0, 64, 127), message(0.5, 0x90, 60, 0),
                  message(0.5, 0x80, 62, 0),   message(0.1, 0x90, 62, 1),   message(0.5004, 0x91, 1, 1)};
    BlockSchedule schedule(p, 1000.0, 64, 1000);
    std::vector<std::pair<std::int64_t, int>> order;
    for (const ScheduledMessage& m : schedule.events()) {
        order.emplace_back(m.frame, m.message.bytes[0] * 1000 + m.message.bytes[2]);
    }
    // 0.5004 s rounds to frame 500 and joins the note-ons there, after the one before it.
    const std::vector<std::pair<std::int64_t, int>> expected = {
        {100, 0x90 * 1000 + 1}, {500, 0x90 * 1000 + 0},   {500, 0x80 * 1000 + 0},
        {500, 0xB0 * 1000 + 127}, {500, 0x90 * 1000 + 100}, {500, 0x91 * 1000 + 1}};
    EXPECT_EQ(order, expected);
}

TEST(RenderLength, TailAfterTheLastEventOrAfterTheInput) {
    Performance p;
    EXPECT_EQ(renderFrames(p, 1000.0, 2.0, 0), 2000);
    EXPECT_EQ(renderFrames(p, 1000.0, 2.0, 500), 2500);
    p.messages = {message(3.0, 0x80, 60, 0)};
    EXPECT_EQ(renderFrames(p, 1000.0, 2.0, 500), 5000);
    EXPECT_EQ(renderFrames(p, 1000.0, 0.0, 0), 3001); // the last event still reaches the plug-in
    p.automation = {{4.0, 0, 1.0f}};
    EXPECT_EQ(renderFrames(p, 1000.0, 1.0, 9000), 10000);
}

TEST(DemoPerformance, LastsEightToTwelveSecondsWithOverlapsAndVelocityChanges) {
    const std::vector<MidiMessage> messages = demoMessages();
    Performance p;
    p.messages = messages;
    const double length = lastEventSeconds(p) + 2.0;
    EXPECT_GE(length, 8.0);
    EXPECT_LE(length, 12.0);
    int overlaps = 0;
    std::set<int> velocities;
    const auto& notes = demoNotes();
    for (std::size_t i = 0; i + 1 < notes.size(); ++i) {
        overlaps += notes[i].start + notes[i].length > notes[i + 1].start;
        velocities.insert(notes[i].velocity);
    }
    EXPECT_GE(overlaps, 4);
    EXPECT_GE(velocities.size(), 6u);
    std::set<std::string> automated;
    for (const DemoAutomation& a : demoAutomation()) {
        automated.insert(std::string(a.name).substr(0, 1) + std::string(a.name).substr(2));
    }
    // Both the effect and the LFO section move, position and rate.
    for (const char* name : {"FStaticPos", "LStaticPos", "FStaticRate"}) {
        EXPECT_EQ(automated.count(name), 1u) << name;
    }
}

// Quorvane refreshes held axes from their parameters at the start of a block
// that follows a write; a note-on in that block would lose its pitch. The
// demo keeps its writes apart from note-ons for the usual block sizes.
TEST(DemoPerformance, NoWriteSharesItsBlockWithANoteOn) {
    Performance p;
    p.messages = demoMessages();
    for (const DemoAutomation& a : demoAutomation()) {
        p.automation.push_back({a.seconds, 0, a.value});
    }
    for (int blockSize : {64, 512, 4096}) {
        BlockSchedule schedule(p, 44100.0, blockSize, renderFrames(p, 44100.0, 2.0, 0));
        for (Block b{}; schedule.next(b);) {
            if (b.writeCount == 0) {
                continue;
            }
            for (std::size_t i = 0; i < b.eventCount; ++i) {
                EXPECT_NE(midiOrder(schedule.events()[b.firstEvent + i].message), MidiOrder::NoteOn)
                    << "block size " << blockSize << ", block at frame " << b.start;
            }
        }
    }
}

} // namespace
