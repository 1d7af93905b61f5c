// Not a host tuned to Quorvane: Debian's own VST 2 plug-ins, loaded through
// both entry names, play the demo and process a test signal.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "audio_measure.h"
#include "render_command.h"

namespace {

const std::string kAmsynth = "/usr/lib/vst/amsynth_vst.so";      // entry VSTPluginMain
const std::string kKars = "/usr/lib/vst/Kars-vst.so";            // entry main only
const std::string kThreeBandEq = "/usr/lib/vst/3BandEQ-vst.so";  // a stereo effect

class DebianPlugins : public ::testing::Test {
protected:
    // Leaks inside Debian's plug-ins are theirs, not the host's: the leak
    // checker of the sanitizer build is off for these runs only.
    CommandResult run(const std::vector<std::string>& args) { return scratch.run(args, "ASAN_OPTIONS=detect_leaks=0"); }

    void SetUp() override {
        for (const std::string& path : {kAmsynth, kKars, kThreeBandEq}) {
            ASSERT_TRUE(std::filesystem::exists(path)) << path << " is missing: run tools/install-deps";
        }
    }
    ScratchDir scratch;
};

TEST_F(DebianPlugins, InfoReadsWhatTheyDeclare) {
    const CommandResult amsynth = run({"--plugin", kAmsynth, "--info"});
    ASSERT_EQ(amsynth.exitCode, 0) << amsynth.err;
    for (const char* expected : {"(entry VSTPluginMain)", "VstP 0x56737450", "amsy 0x616D7379", "inputs          0",
                                 "outputs         2", "IsSynth", "2 (synth)", "receiveVstMidiEvent   yes",
                                 "Synth Strings 1", "more)"}) {
        EXPECT_NE(amsynth.out.find(expected), std::string::npos) << expected << " missing from\n" << amsynth.out;
    }
    const CommandResult kars = run({"--plugin", kKars, "--info"});
    ASSERT_EQ(kars.exitCode, 0) << kars.err;
    for (const char* expected : {"(entry main)", "DKrs 0x444B7273", "outputs         1", "editor          none"}) {
        EXPECT_NE(kars.out.find(expected), std::string::npos) << expected << " missing from\n" << kars.out;
    }
    const CommandResult eq = run({"--plugin", kThreeBandEq, "--list-params"});
    ASSERT_EQ(eq.exitCode, 0) << eq.err;
    EXPECT_NE(eq.out.find("Low-Mid Freq"), std::string::npos) << eq.out;
}

TEST_F(DebianPlugins, SynthsPlayTheDemoNotes) {
    for (const std::string& synth : {kAmsynth, kKars}) {
        const CommandResult result = run({"--plugin", synth, "-o", "synth.wav", "--block", "333"});
        ASSERT_EQ(result.exitCode, 0) << synth << ": " << result.err;
        const AudioData out = readAudioFile(scratch.path("synth.wav"));
        EXPECT_EQ(out.frames(), std::llround(11.6 * 44100)) << synth;
        // Sound while notes are held, finite everywhere, and not clipping.
        EXPECT_GT(rmsOf(out, 0, 22050, 66150), 0.01) << synth;
        EXPECT_LT(peakOf(out), 1.0) << synth;
        for (float s : out.samples) {
            ASSERT_TRUE(std::isfinite(s)) << synth;
        }
        EXPECT_NE(result.out.find("Rendered 11.60 s to synth.wav"), std::string::npos) << result.out;
    }
}

TEST_F(DebianPlugins, EqualiserProcessesATestSignalAndAParameterReachesIt) {
    // 100 Hz on the left, 5 kHz on the right, one second each.
    const int rate = 44100;
    std::vector<float> samples(2 * rate);
    for (int i = 0; i < rate; ++i) {
        samples[2 * i] = 0.5f * static_cast<float>(std::sin(2.0 * M_PI * 100.0 * i / rate));
        samples[2 * i + 1] = 0.5f * static_cast<float>(std::sin(2.0 * M_PI * 5000.0 * i / rate));
    }
    {
        WavWriter in(scratch.path("tones.wav"), 2, rate, SampleFormat::Float);
        in.write(samples.data(), rate);
        in.commit();
    }
    const CommandResult flat = run({"--plugin", kThreeBandEq, "--input", "tones.wav", "-o", "flat.wav"});
    const CommandResult cut = run(
        {"--plugin", kThreeBandEq, "--input", "tones.wav", "-o", "cut.wav", "--param", "Low=0", "--param",
         "Low-Mid Freq=1", "--tail", "0"});
    ASSERT_EQ(flat.exitCode, 0) << flat.err;
    ASSERT_EQ(cut.exitCode, 0) << cut.err;
    const AudioData a = readAudioFile(scratch.path("flat.wav"));
    const AudioData b = readAudioFile(scratch.path("cut.wav"));
    EXPECT_EQ(a.frames(), 3 * rate);
    EXPECT_EQ(b.frames(), rate);
    const double inputRms = 0.5 / std::sqrt(2.0);
    // Flat: both tones pass at their level (after the filters settle).
    EXPECT_NEAR(rmsOf(a, 0, rate / 2, rate), inputRms, 0.05);
    EXPECT_NEAR(rmsOf(a, 1, rate / 2, rate), inputRms, 0.05);
    EXPECT_NEAR(frequencyOf(a, rate / 2, rate), 100.0, 0.1);
    // Low band down and widened to hold 100 Hz: that tone drops by more
    // than 14 dB, 5 kHz stays.
    EXPECT_LT(rmsOf(b, 0, rate / 2, rate), inputRms / 5.0);
    EXPECT_NEAR(rmsOf(b, 1, rate / 2, rate), inputRms, 0.05);
}

} // namespace
