// Every kind of bad input ends in one clear line on stderr and a non-zero
// exit, and never leaves a file that looks like a finished render.
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <string>
#include <vector>

#include "lv2_test_plugins.h"
#include "render_command.h"
#include "smf_builder.h"

namespace {

class BadInput : public ::testing::Test {
protected:
    void SetUp() override {
        // A finished render from earlier that a failed run must not touch.
        std::ofstream(scratch.path("out.wav")) << "an earlier render";
        Track t;
        t.event(0, {0x90, 60, 100}).event(480, {0x80, 60, 0}).end();
        writeBytes(scratch.path("good.mid"), midiFile(0, 480, {t}));
    }

    // Runs with the recording plug-in and a good MIDI file unless the
    // arguments name others (later options win).
    void expectRefused(const std::vector<std::string>& args, const std::string& phrase, const std::string& prefix = "") {
        std::vector<std::string> all = {"--plugin", RECORDING_PLUGIN, "--midi", "good.mid", "-o", "out.wav"};
        all.insert(all.end(), args.begin(), args.end());
        const CommandResult result = scratch.run(all, prefix);
        EXPECT_NE(result.exitCode, 0) << phrase;
        EXPECT_LT(result.exitCode, 128) << "killed by a signal: " << result.err;
        const std::vector<std::string> lines = result.errorLines();
        ASSERT_EQ(lines.size(), 1u) << "stderr:\n" << result.err;
        EXPECT_EQ(lines[0].rfind("quorvane-render: ", 0), 0u) << lines[0];
        EXPECT_NE(lines[0].find(phrase), std::string::npos) << lines[0];
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(ScratchDir::slurp(scratch.path("out.wav")), "an earlier render");
        for (const std::string& name : scratch.files()) {
            EXPECT_EQ(name.find(".out.wav."), std::string::npos) << "temporary file left behind: " << name;
        }
    }

    ScratchDir scratch;
};

TEST_F(BadInput, MissingOrUnreadableFiles) {
    expectRefused({"--plugin", "nowhere.so"}, "nowhere.so: No such file or directory");
    expectRefused({"--midi", "nowhere.mid"}, "cannot open nowhere.mid: No such file or directory");
    expectRefused({"--midi", "."}, "cannot read .");
    expectRefused({"--input", "nowhere.wav"}, "cannot read nowhere.wav: No such file or directory");
    std::ofstream(scratch.path("noise.wav")) << "RIFF but not really";
    expectRefused({"--input", "noise.wav"}, "cannot read noise.wav");
}

TEST_F(BadInput, LibrariesThatAreNotVst2PlugIns) {
    std::ofstream(scratch.path("text.so")) << "not a library";
    expectRefused({"--plugin", "text.so"}, "cannot load plug-in text.so");
    expectRefused({"--plugin", NO_ENTRY_PLUGIN}, "exports neither VSTPluginMain nor main");
    expectRefused({"--plugin", NULL_ENTRY_PLUGIN}, "VSTPluginMain returned no instance");
    expectRefused({"--plugin", BAD_MAGIC_PLUGIN}, "magic is 0x4E6F7065, not 0x56737450");
    expectRefused({"--plugin", BAD_MAGIC_PLUGIN, "--info"}, "is not a VST 2 plug-in");
}

TEST_F(BadInput, Lv2PlugInsThatCannotBeFoundOrUsed) {
    std::filesystem::create_directory(scratch.path("empty.lv2"));
    const std::string refusedBundle = std::string(LV2_TEST_PATH) + "/quorvane-refused.lv2";
    const struct {
        std::vector<std::string> args;
        std::string phrase;
    } cases[] = {
        {{"--plugin", "empty.lv2"}, "empty.lv2 is a directory but not an LV2 bundle: it has no manifest.ttl"},
        {{"--plugin", "urn:quorvane:test:nobody"},
         "no LV2 plug-in has the URI urn:quorvane:test:nobody (searched LV2_PATH " + kLv2Path + ")"},
        {{"--plugin", refusedBundle},
         "quorvane-refused.lv2 holds 2 LV2 plug-ins; give --plugin the URI of one (its folder must be in "
         "LV2_PATH): urn:quorvane:test:needs-an-option, urn:quorvane:test:needs-fixed-blocks"},
        {{"--plugin", "urn:quorvane:test:needs-fixed-blocks"},
         "requires the LV2 features http://lv2plug.in/ns/ext/buf-size#fixedBlockLength and "
         "http://lv2plug.in/ns/ext/worker#schedule, which quorvane-render does not provide"},
        {{"--plugin", "urn:quorvane:test:needs-an-option"},
         "requires the LV2 option urn:quorvane:test:an-option-nobody-gives, which quorvane-render does not give"},
        {{"--plugin", kLv2Recorder, "--param", "Gian=0.5"}, "unknown parameter \"Gian\"; closest names: Gain"},
        {{"--plugin", kLv2Recorder, "--param", "9=0.5"}, "parameter index 9 is out of range: the plug-in has 3"},
        {{"--plugin", kLv2Recorder, "--param", "Gain=2.5"}, "value 2.5 for Gain is outside 0 to 2"},
        {{"--plugin", kLv2Recorder, "--automate", "tone@1=-0.5"}, "value -0.5 for tone is outside 0 to 1"},
        {{"--plugin", kLv2Recorder, "--editor-png", "e.png"}, "gives no picture of its editor (--editor-png)"},
    };
    for (const auto& c : cases) {
        expectRefused(c.args, c.phrase, kLv2PathSetting);
    }
    EXPECT_FALSE(std::filesystem::exists(scratch.path("e.png")));
}

TEST_F(BadInput, BrokenMidiFiles) {
    Track t;
    t.event(0, {0x90, 60, 100}).event(480, {0x80, 60, 0}).end();
    const Bytes good = midiFile(0, 480, {t});
    writeBytes(scratch.path("truncated.mid"), Bytes(good.begin(), good.end() - 5));
    expectRefused({"--midi", "truncated.mid"}, "truncated.mid: chunk at byte 14 claims");
    Bytes badLength = good;
    badLength[21] = 3; // the track claims 3 bytes: the chunk ends inside the first event
    writeBytes(scratch.path("length.mid"), badLength);
    expectRefused({"--midi", "length.mid"}, "track 1 at byte");

    Track endless;
    endless.event(0, {0x90, 60, 100});
    for (int i = 0; i < 1000; ++i) {
        endless.event(0, {static_cast<std::uint8_t>(i % 128), 100});
    }
    endless.body.push_back(0);
    writeBytes(scratch.path("endless.mid"), midiFile(0, 480, {endless}));
    expectRefused({"--midi", "endless.mid"}, "truncated");

    Track absurdDelta, absurdTempo;
    absurdDelta.event(0x0FFFFFFF, {0x90, 60, 100}).end();
    absurdTempo.tempo(0, 1).end();
    writeBytes(scratch.path("delta.mid"), midiFile(0, 24, {absurdDelta}));
    writeBytes(scratch.path("tempo.mid"), midiFile(0, 480, {absurdTempo}));
    expectRefused({"--midi", "delta.mid"}, "absurd delta times");
    expectRefused({"--midi", "tempo.mid"}, "absurd tempo of 1 microseconds");
}

TEST_F(BadInput, ParametersThatDoNotExistOrAreNotNumbers) {
    expectRefused({"--param", "Gian=0.5"}, "unknown parameter \"Gian\"; closest names: Gain");
    expectRefused({"--automate", "Tone@1=0.5"}, "closest names: Tone Colour");
    expectRefused({"--param", "7=0.5"}, "parameter index 7 is out of range: the plug-in has 3 parameters");
    expectRefused({"--param", "Gain=loud"}, "value for Gain \"loud\" is not a number");
    expectRefused({"--param", "Gain=nan"}, "is not a number");
    expectRefused({"--param", "Gain=1.5"}, "value 1.5 for Gain is outside 0 to 1");
    expectRefused({"--param", "Gain"}, "is not NAME=VALUE");
    expectRefused({"--automate", "Gain=0.5"}, "is not NAME@SECONDS=VALUE");
    expectRefused({"--automate", "Gain@soon=0.5"}, "time for Gain \"soon\" is not a number");
    expectRefused({"--automate", "Gain@-1=0.5"}, "before the start");
}

TEST_F(BadInput, RatesAndBlockSizesOutOfRange) {
    expectRefused({"--rate", "5"}, "--rate");
    expectRefused({"--rate", "1000000"}, "--rate");
    expectRefused({"--rate", "fast"}, "--rate");
    expectRefused({"--block", "0"}, "--block");
    expectRefused({"--block", "100000"}, "--block");
    expectRefused({"--tail", "-1"}, "--tail");
    expectRefused({"--format", "mp3"}, "--format");
    expectRefused({"--bogus"}, "--bogus");
    std::vector<float> frame(2, 0.0f);
    WavWriter in(scratch.path("in48k.wav"), 2, 48000, SampleFormat::Float);
    in.write(frame.data(), 1);
    in.commit();
    expectRefused({"--input", "in48k.wav", "--rate", "44100"}, "in48k.wav is at 48000 Hz but --rate asks for 44100 Hz");
}

TEST_F(BadInput, OutputThatCannotBeWritten) {
    expectRefused({"-o", "no/such/dir/x.wav"}, "cannot write no/such/dir/x.wav: No such file or directory");
    std::filesystem::create_directory(scratch.path("folder.wav"));
    expectRefused({"-o", "folder.wav"}, "cannot write folder.wav: it is a directory");
    // A disk that fills up in the middle of the render: the file size limit
    // makes writes fail (SIGXFSZ ignored, so the write reports it instead).
    expectRefused({"-o", "out.wav", "--tail", "5"}, "cannot write out.wav", "trap '' XFSZ; ulimit -f 64;");
}

TEST_F(BadInput, InterruptedRenderLeavesNothingBehind) {
    // A render far longer than the half second before the interrupt.
    const CommandResult result =
        scratch.run({"--plugin", RECORDING_PLUGIN, "-o", "out.wav", "--block", "1", "--tail", "60"},
                    "(sleep 0.5; kill -INT $$) &");
    EXPECT_EQ(result.exitCode, 128 + SIGINT) << result.err;
    EXPECT_EQ(ScratchDir::slurp(scratch.path("out.wav")), "an earlier render");
    for (const std::string& name : scratch.files()) {
        EXPECT_EQ(name.find(".out.wav."), std::string::npos) << "temporary file left behind: " << name;
    }
}

} // namespace
