// The LV2 build's run never touches the heap: not for MIDI, not for the
// editor's messages, not for changed ports or odd block lengths.
#include <gtest/gtest.h>

#include <lv2/atom/util.h>
#include <lv2/midi/midi.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "allocation_counter.h"
#include "lv2/lv2_instrument.h"
#include "lv2/port_layout.h"
#include "tests/lv2/urid_table.h"

namespace {

// A sequence of note-ons, a note-off and one editor message per block.
std::vector<std::uint64_t> eventsOf(UridTable& urids, const EditorMessageUrids& messageUrids) {
    std::vector<std::uint64_t> storage(512, 0);
    auto* sequence = reinterpret_cast<LV2_Atom_Sequence*>(storage.data());
    sequence->atom.type = urids.map(LV2_ATOM__Sequence);
    sequence->atom.size = sizeof(LV2_Atom_Sequence_Body);
    const std::uint8_t notes[3][3] = {{0x90, 60, 100}, {0x91, 64, 90}, {0x80, 60, 0}};
    for (int n = 0; n < 4; ++n) {
        auto* event = reinterpret_cast<LV2_Atom_Event*>(reinterpret_cast<std::uint8_t*>(&sequence->body) +
                                                         sequence->atom.size);
        event->time.frames = n;
        if (n < 3) {
            event->body.type = urids.map(LV2_MIDI__MidiEvent);
            event->body.size = 3;
            std::memcpy(event + 1, notes[n], 3);
        } else {
            const EditorMessage held{EditorMessageKind::axisTarget, kAxisFX, 0.75f};
            const std::uint32_t size = writeEditorMessage(messageUrids, *urids.mapFeature(), held, &event->body, 128);
            EXPECT_GT(size, 0u);
        }
        sequence->atom.size += static_cast<std::uint32_t>(lv2_atom_pad_size(sizeof(LV2_Atom_Event) + event->body.size));
    }
    return storage;
}

TEST(AudioThread, Lv2RunNeverAllocates) {
    UridTable urids;
    auto instrument = std::make_unique<Lv2Instrument>(44100.0, *urids.mapFeature());
    const EditorMessageUrids messageUrids(*urids.mapFeature());
    std::vector<std::uint64_t> events = eventsOf(urids, messageUrids);
    std::vector<float> ports(lv2_ports::kCount, 0.5f);
    std::vector<float> left(4096), right(4096);
    for (std::uint32_t port = lv2_ports::kFirstControl; port < lv2_ports::kCount; ++port) {
        instrument->connect(port, &ports[port]);
    }
    instrument->connect(lv2_ports::kEvents, events.data());
    instrument->connect(lv2_ports::kLeft, left.data());
    instrument->connect(lv2_ports::kRight, right.data());
    instrument->activate();

    AllocationCount allocations;
    for (int round = 0; round < 200; ++round) {
        ports[lv2_ports::kFirstControl + static_cast<std::uint32_t>(round % NumParams)] =
            round % 7 == 0 ? NAN : 0.01f * static_cast<float>(round % 100);
        instrument->run(static_cast<std::uint32_t>((round * 37) % 4097));
    }
    EXPECT_EQ(allocations.count(), 0);
    // An empty block takes the events too, and moves nothing after them.
    instrument->run(0);
    EXPECT_EQ(instrument->sound().axes[kAxisFX].target, 0.75f) << "the events were taken";
}

} // namespace
