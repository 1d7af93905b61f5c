// Quorvane's two Linux builds through quorvane-render: the LV2 bundle plays
// every performance to the very samples the VST 2 library plays.
#include <gtest/gtest.h>

#include <string>

#include "format_comparison.h"
#include "smf_builder.h"

namespace {

TEST(QuorvaneFormats, Lv2AndVst2BuildsRenderTheSameSamples) {
    ScratchDir scratch;
    // Overlapping notes at odd moments, so that at every block size most of
    // them land inside a block; a controller and a bend the instrument
    // ignores; all notes off while keys are down.
    Track t;
    t.event(0, {0x90, 60, 100}).event(37, {0x90, 67, 80}).event(211, {0x80, 60, 0}).event(5, {0xE0, 0, 90});
    t.event(400, {0x90, 72, 127}).event(1, {0x90, 48, 30}).event(333, {0xB0, 1, 64}).event(90, {0xB0, 123, 0});
    t.event(700, {0x90, 55, 90}).event(1200, {0x80, 55, 0}).end();
    writeBytes(scratch.path("notes.mid"), midiFile(0, 480, {t}));
    const std::vector<std::string> settings = {
        "--midi", "notes.mid", "--param", "FYStaticPos=0.3", "--param", "FXStaticPos=1", "--param", "LXTargetPos=0",
        "--automate", "MXRate@0.4=0.9", "--automate", "FXStaticPos@1.1=0.2", "--automate", "LYStaticRate@2.05=1",
        "--tail", "1"};
    for (const char* block : {"1", "7", "333", "4096"}) {
        for (const char* rate : {"44100", "48000"}) {
            std::vector<std::string> common = settings;
            common.insert(common.end(), {"--block", block, "--rate", rate});
            EXPECT_EQ(largestDifference(scratch, {QUORVANE_LIBRARY, {}}, {QUORVANE_LV2_BUNDLE, {}}, common), 0.0)
                << "block " << block << " at " << rate << " Hz";
        }
    }
    // The built-in demo, with its own automation.
    EXPECT_EQ(largestDifference(scratch, {QUORVANE_LIBRARY, {}}, {QUORVANE_LV2_BUNDLE, {}}, {}), 0.0);
}

} // namespace
