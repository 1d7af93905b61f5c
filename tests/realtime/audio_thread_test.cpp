// The audio thread's entries never touch the heap: not for notes, not for
// parameter changes, not for odd block sizes or garbage.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "allocation_counter.h"
#include "tests/support/plugin_fixture.h"

namespace {

TEST(AudioThread, NoAllocationWhileProcessing) {
    auto plugin = makePlugin();
    std::vector<float> left(4096), right(4096);
    float* outputs[2] = {left.data(), right.data()};

    VstMidiEvent notes[4] = {};
    const unsigned char messages[4][3] = {{0x90, 60, 100}, {0x91, 64, 90}, {0x80, 60, 0}, {0xB0, 123, 0}};
    VstEvent* pointers[4];
    for (int i = 0; i < 4; ++i) {
        notes[i].type = kVstMidiType;
        for (int b = 0; b < 3; ++b) {
            notes[i].midiData[b] = static_cast<char>(messages[i][b]);
        }
        pointers[i] = reinterpret_cast<VstEvent*>(&notes[i]);
    }
    struct {
        VstInt32 numEvents;
        VstIntPtr reserved;
        VstEvent* events[4];
    } list{4, 0, {pointers[0], pointers[1], pointers[2], pointers[3]}};

    AllocationCount allocations;
    for (int round = 0; round < 200; ++round) {
        list.numEvents = 1 + round % 4;
        plugin->processEvents(reinterpret_cast<VstEvents*>(&list));
        plugin->setParameter(round % NumParams, round % 7 == 0 ? NAN : 0.01f * (round % 100));
        const int frames = (round * 37) % 4097;
        if (round % 2 == 0) {
            plugin->processReplacing(nullptr, outputs, frames);
        } else {
            plugin->process(nullptr, outputs, frames);
        }
        for (int n = 0; n < 1000; ++n) {
            noteOn(*plugin, n % 128);
        }
    }
    EXPECT_EQ(allocations.count(), 0);
}

TEST(AudioThread, TheCounterSeesAllocations) {
    AllocationCount allocations;
    auto plugin = makePlugin();
    std::vector<int> grows;
    grows.push_back(1);
    EXPECT_GE(allocations.count(), 2);
}

} // namespace
