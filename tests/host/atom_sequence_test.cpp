// The atom buffers an LV2 plug-in reads its MIDI from and writes its output
// events into, read back as a plug-in reads them.
#include <gtest/gtest.h>

#include <lv2/atom/util.h>

#include <vector>

#include "host/atom_sequence.h"

namespace {

constexpr LV2_URID kSequence = 7, kChunk = 8, kMidi = 9;

struct Seen {
    std::int64_t frame;
    LV2_URID type;
    std::vector<std::uint8_t> bytes;
    bool operator==(const Seen& o) const { return frame == o.frame && type == o.type && bytes == o.bytes; }
};

std::vector<Seen> read(AtomSequence& buffer) {
    std::vector<Seen> seen;
    LV2_ATOM_SEQUENCE_FOREACH(buffer.atom(), event) {
        const auto* data = reinterpret_cast<const std::uint8_t*>(event + 1);
        seen.push_back({event->time.frames, event->body.type, {data, data + event->body.size}});
    }
    return seen;
}

TEST(AtomSequence, EventsComeBackInOrderWithTheirFramesAndLengths) {
    AtomSequence buffer(AtomSequence::bytesFor(3));
    buffer.clear(kSequence);
    EXPECT_EQ(buffer.atom()->atom.type, kSequence);
    EXPECT_EQ(buffer.atom()->body.unit, 0u) << "timed in frames";
    EXPECT_TRUE(read(buffer).empty());
    const std::uint8_t noteOn[] = {0x90, 60, 100}, program[] = {0xC0, 5}, clock[] = {0xF8};
    ASSERT_TRUE(buffer.append(0, kMidi, noteOn, 3));
    ASSERT_TRUE(buffer.append(17, kMidi, program, 2));
    ASSERT_TRUE(buffer.append(511, kMidi, clock, 1));
    const std::vector<Seen> expected = {{0, kMidi, {0x90, 60, 100}}, {17, kMidi, {0xC0, 5}}, {511, kMidi, {0xF8}}};
    EXPECT_EQ(read(buffer), expected);
    buffer.clear(kSequence);
    EXPECT_TRUE(read(buffer).empty()) << "each block starts empty";
}

TEST(AtomSequence, SizedForACountOfMessagesItHoldsThatManyAndRefusesMore) {
    for (std::size_t count : {0u, 1u, 5u, 1000u}) {
        AtomSequence buffer(AtomSequence::bytesFor(count));
        buffer.clear(kSequence);
        const std::uint8_t bytes[] = {0x80, 1, 2};
        for (std::size_t i = 0; i < count; ++i) {
            ASSERT_TRUE(buffer.append(static_cast<std::int64_t>(i), kMidi, bytes, 3)) << i << " of " << count;
        }
        EXPECT_FALSE(buffer.append(0, kMidi, bytes, 3)) << count;
        EXPECT_EQ(read(buffer).size(), count) << "the refused event left nothing";
    }
}

TEST(AtomSequence, AnOutputIsOfferedTheWholeBufferAsAChunk) {
    AtomSequence buffer(1001);
    ASSERT_EQ(buffer.bytes(), 1008u) << "whole 64-bit words";
    buffer.atom()->atom.type = kSequence; // as a plug-in leaves it after writing
    buffer.atom()->atom.size = 24;
    buffer.offer(kChunk);
    EXPECT_EQ(buffer.atom()->atom.type, kChunk);
    EXPECT_EQ(buffer.atom()->atom.size, 1008u - sizeof(LV2_Atom));
}

} // namespace
