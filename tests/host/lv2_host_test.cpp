// What an LV2 plug-in is given by quorvane-render, seen from inside our LV2
// recorder: features, options, the lifecycle, every port connected and
// every buffer as the atom and CV rules want it, and the same samples a
// VST 2 plug-in doing the same work renders.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "format_comparison.h"
#include "lv2_test_plugins.h"
#include "render_command.h"
#include "smf_builder.h"

namespace {

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

class Lv2Recorder : public ::testing::Test {
protected:
    CommandResult render(std::vector<std::string> args) {
        args.insert(args.begin(), {"--plugin", kLv2Recorder, "-o", "out.wav"});
        return scratch.run(args, kLv2PathSetting + " QUORVANE_RECORD_LOG=" + scratch.path("log.txt"));
    }
    std::vector<std::string> log() const {
        std::vector<std::string> lines;
        std::istringstream in(ScratchDir::slurp(scratch.path("log.txt")));
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }
    bool logged(const std::string& line) const {
        const std::vector<std::string> lines = log();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    ScratchDir scratch;
};

TEST_F(Lv2Recorder, GetsItsFeaturesAndOptionsThenRunsBetweenActivateAndDeactivate) {
    Track t;
    t.event(0, {0x90, 60, 100}).event(480, {0x80, 60, 0}).end();
    writeBytes(scratch.path("one.mid"), midiFile(0, 480, {t}));
    const CommandResult result = render({"--midi", "one.mid", "--rate", "48000", "--block", "256", "--tail", "0.1"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::vector<std::string> lifecycle;
    for (const std::string& line : log()) {
        if (!startsWith(line, "process") && !startsWith(line, "midi") && !startsWith(line, "events")) {
            lifecycle.push_back(line);
        }
    }
    const std::vector<std::string> expected = {
        "instantiate rate 48000",
        "feature http://lv2plug.in/ns/ext/urid#map",
        "feature http://lv2plug.in/ns/ext/urid#unmap",
        "feature http://lv2plug.in/ns/ext/options#options",
        "feature http://lv2plug.in/ns/ext/buf-size#boundedBlockLength",
        "feature http://lv2plug.in/ns/ext/log#log",
        "option http://lv2plug.in/ns/ext/parameters#sampleRate 48000",
        "option http://lv2plug.in/ns/ext/buf-size#minBlockLength 1",
        "option http://lv2plug.in/ns/ext/buf-size#maxBlockLength 256",
        "option http://lv2plug.in/ns/ext/buf-size#nominalBlockLength 256",
        // The events port's own minimum size is more than the host's default.
        "option http://lv2plug.in/ns/ext/buf-size#sequenceSize 40000",
        "activate",
        "deactivate",
        "cleanup",
    };
    // Anything else the recorder writes is a fault it saw: a port left
    // unconnected, a notify buffer not offered again, a CV input not silent,
    // events of the wrong type.
    EXPECT_EQ(lifecycle, expected);
    EXPECT_TRUE(logged("midi 0 144 60 100"));
}

TEST_F(Lv2Recorder, ABlockFullOfEventsGetsThemAllWhateverTheDefaultBufferHolds) {
    // 3000 events at one moment: far more than 40000 bytes of sequence hold.
    Track t;
    for (int i = 0; i < 1500; ++i) {
        t.event(0, {0x90, static_cast<std::uint8_t>(i % 128), 1}).event(0, {0x80, static_cast<std::uint8_t>(i % 128), 0});
    }
    t.end();
    writeBytes(scratch.path("crowd.mid"), midiFile(0, 480, {t}));
    const CommandResult result = render({"--midi", "crowd.mid", "--tail", "0"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(logged("events 3000"));
    EXPECT_TRUE(logged("option http://lv2plug.in/ns/ext/buf-size#sequenceSize 72016")) << "16 + 3000 x 24 bytes";
}

TEST_F(Lv2Recorder, ParametersByNameSymbolOrIndexInThePortsOwnRange) {
    std::vector<float> frame(2, 0.25f);
    WavWriter in(scratch.path("in.wav"), 2, 44100, SampleFormat::Float);
    in.write(frame.data(), 1);
    in.commit();
    const CommandResult result =
        render({"--input", "in.wav", "--param", "Gain=1.5", "--param", "tone=0.125", "--automate", "2@0.5=1"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> lines = log();
    const auto activate = std::find(lines.begin(), lines.end(), "activate");
    const auto firstBlock = std::find_if(activate, lines.end(), [](const std::string& l) { return startsWith(l, "process"); });
    EXPECT_EQ(std::vector<std::string>(activate + 1, firstBlock),
              (std::vector<std::string>{"param 0 1.5", "param 1 0.125"}));
    EXPECT_TRUE(logged("param 2 1"));
    // Gain 1.5 lies inside the port's 0 to 2: the input comes out louder.
    EXPECT_EQ(readAudioFile(scratch.path("out.wav")).samples[0], 0.375f);
}

TEST_F(Lv2Recorder, InfoAndParameterListReadItsTurtle) {
    const CommandResult info = render({"--info", "--list-params"});
    ASSERT_EQ(info.exitCode, 0) << info.err;
    for (const char* expected :
         {"URI             urn:quorvane:test:lv2-recorder", "name            LV2 Recorder",
          "class           Instrument Plugin (http://lv2plug.in/ns/lv2core#InstrumentPlugin)",
          "author          Quorvane tests", "quorvane-recorder.lv2/lv2_recorder_plugin.so", "audio inputs    2",
          "      4  atom input      events  Events (MIDI)", "      9  atom output     notify  Notify",
          "     10  CV input        cv_in   CV In", "urid#unmap  (provided)", "fixedBlockLength  (not provided)",
          "presets         1", "  Quiet  <urn:quorvane:test:lv2-recorder#quiet>",
          "    0  gain    Gain         0 to 2  coefficient  1.000000",
          "    1  tone    Tone Colour  0 to 1               0.500000"}) {
        EXPECT_NE(info.out.find(expected), std::string::npos) << expected << " missing from\n" << info.out;
    }
    EXPECT_FALSE(std::filesystem::exists(scratch.path("log.txt"))) << "--info instantiated the plug-in";
    // What a plug-in requires beyond the host is shown, not refused, by --info.
    const CommandResult refused = scratch.run({"--plugin", "urn:quorvane:test:needs-fixed-blocks", "--info"},
                                              kLv2PathSetting);
    ASSERT_EQ(refused.exitCode, 0) << refused.err;
    EXPECT_NE(refused.out.find("buf-size#fixedBlockLength  (NOT PROVIDED)"), std::string::npos) << refused.out;
}

TEST_F(Lv2Recorder, RendersTheSameSamplesAsTheVst2RecorderDoingTheSameWork) {
    Track t;
    // Note-ons alone and crowded into one block, each a click at its frame.
    t.event(0, {0x90, 60, 100}).event(700, {0x90, 64, 50}).event(1, {0x90, 65, 20}).event(1, {0x90, 66, 90});
    t.event(30, {0x80, 60, 0}).event(2000, {0x90, 67, 127}).end();
    writeBytes(scratch.path("notes.mid"), midiFile(0, 480, {t}));
    std::vector<float> samples(2 * 30000);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<float>((i * 7919) % 1000) / 1000.0f - 0.5f;
    }
    WavWriter in(scratch.path("noise.wav"), 2, 44100, SampleFormat::Float);
    in.write(samples.data(), 30000);
    in.commit();
    for (const char* block : {"1", "100", "4096"}) {
        EXPECT_EQ(largestDifference(scratch, {RECORDING_PLUGIN, {}}, {kLv2Recorder, {}},
                                    {"--midi", "notes.mid", "--input", "noise.wav", "--block", block, "--param",
                                     "Gain=0.75", "--automate", "Gain@0.3=0.25", "--tail", "0.5"}),
                  0.0)
            << "block " << block;
    }
}

} // namespace
