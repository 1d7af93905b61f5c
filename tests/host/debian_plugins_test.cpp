// Not a host tuned to Quorvane: Debian's own VST 2 plug-ins, loaded through
// both entry names, and LV2 plug-ins, found by bundle or URI, play the demo
// and process a test signal; DPF's plug-ins, built in both formats, render
// the same in both.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "audio_measure.h"
#include "format_comparison.h"
#include "lv2_test_plugins.h"
#include "render_command.h"

namespace {

const std::string kAmsynth = "/usr/lib/vst/amsynth_vst.so";      // entry VSTPluginMain
const std::string kKars = "/usr/lib/vst/Kars-vst.so";            // entry main only
const std::string kThreeBandEq = "/usr/lib/vst/3BandEQ-vst.so";  // a stereo effect
const std::string kKarsBundle = "/usr/lib/lv2/Kars.lv2";
const std::string kThreeBandEqBundle = "/usr/lib/lv2/3BandEQ.lv2";
const std::string kMdaBundle = "/usr/lib/lv2/mda.lv2";                  // 36 plug-ins in one bundle
const std::string kDx10 = "http://drobilla.net/plugins/mda/DX10";      // an instrument among them

class DebianPlugins : public ::testing::Test {
protected:
    // Leaks inside Debian's plug-ins are theirs, not the host's: the leak
    // checker of the sanitizer build is off for these runs only.
    CommandResult run(const std::vector<std::string>& args) {
        return scratch.run(args, kLv2PathSetting + " ASAN_OPTIONS=detect_leaks=0");
    }

    void SetUp() override {
        for (const std::string& path : {kAmsynth, kKars, kThreeBandEq, kKarsBundle, kThreeBandEqBundle, kMdaBundle}) {
            ASSERT_TRUE(std::filesystem::exists(path)) << path << " is missing: run tools/install-deps";
        }
    }

    // 100 Hz on the left, 5 kHz on the right, one second each.
    void writeTones(const std::string& name, int rate) {
        std::vector<float> samples(2 * rate);
        for (int i = 0; i < rate; ++i) {
            samples[2 * i] = 0.5f * static_cast<float>(std::sin(2.0 * M_PI * 100.0 * i / rate));
            samples[2 * i + 1] = 0.5f * static_cast<float>(std::sin(2.0 * M_PI * 5000.0 * i / rate));
        }
        WavWriter in(scratch.path(name), 2, rate, SampleFormat::Float);
        in.write(samples.data(), rate);
        in.commit();
    }

    static void expectFound(const std::string& text, const std::vector<const char*>& expected) {
        for (const char* phrase : expected) {
            EXPECT_NE(text.find(phrase), std::string::npos) << phrase << " missing from\n" << text;
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
    const int rate = 44100;
    writeTones("tones.wav", rate);
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

namespace {

TEST_F(DebianPlugins, Lv2InfoAndParametersComeFromTheirTurtle) {
    const CommandResult kars = run({"--plugin", kKarsBundle, "--info"});
    ASSERT_EQ(kars.exitCode, 0) << kars.err;
    expectFound(kars.out, {"URI             http://distrho.sf.net/plugins/Kars", "name            Kars",
                           "Instrument Plugin (http://lv2plug.in/ns/lv2core#InstrumentPlugin)", "author          falkTX",
                           "library         /usr/lib/lv2/Kars.lv2/Kars_dsp.so", "audio inputs    0",
                           "audio outputs   1", "1  atom input     lv2_events_in    Events Input (MIDI)",
                           "urid#map  (provided)", "options#options  (provided)", "parameters#sampleRate  (given)"});
    // A bundle outside LV2_PATH is read all the same (without LV2's own
    // vocabulary, which only knows its class as "Plugin").
    const CommandResult apart = scratch.run({"--plugin", kKarsBundle, "--info"}, "LV2_PATH=" + scratch.home());
    ASSERT_EQ(apart.exitCode, 0) << apart.err;
    expectFound(apart.out, {"URI             http://distrho.sf.net/plugins/Kars",
                            "library         /usr/lib/lv2/Kars.lv2/Kars_dsp.so"});
    const CommandResult eq = run({"--plugin", "http://distrho.sf.net/plugins/3BandEQ", "--info", "--list-params"});
    ASSERT_EQ(eq.exitCode, 0) << eq.err;
    expectFound(eq.out, {"Equaliser Plugin (http://lv2plug.in/ns/lv2core#EQPlugin)", "presets         1", "  Default  <http://distrho.sf.net/plugins/3BandEQ#preset001>",
                         "UIs             1", "(http://lv2plug.in/ns/extensions/ui#X11UI)",
                         "index  symbol    name           range          unit  value",
                         "    0  low       Low            -24 to 24      dB    0.000000",
                         "    4  low_mid   Low-Mid Freq   0 to 1000      Hz    440.000000"});
}

TEST_F(DebianPlugins, Lv2SynthsPlayTheDemoByBundleAndByUri) {
    for (const std::string& synth : {kKarsBundle, kDx10}) {
        const CommandResult result = run({"--plugin", synth, "-o", "synth.wav", "--block", "333"});
        ASSERT_EQ(result.exitCode, 0) << synth << ": " << result.err;
        const AudioData out = readAudioFile(scratch.path("synth.wav"));
        EXPECT_EQ(out.frames(), std::llround(11.6 * 44100)) << synth;
        EXPECT_GT(rmsOf(out, 0, 22050, 66150), 0.005) << synth;
        EXPECT_LT(peakOf(out), 1.0) << synth;
    }
    // The bundle that holds DX10 holds 35 others: the user is asked for a URI.
    const CommandResult many = run({"--plugin", kMdaBundle, "-o", "synth.wav"});
    EXPECT_EQ(many.exitCode, 1);
    ASSERT_EQ(many.errorLines().size(), 1u) << many.err;
    expectFound(many.err, {"mda.lv2 holds 36 LV2 plug-ins; give --plugin the URI of one", kDx10.c_str()});
}

TEST_F(DebianPlugins, DpfPlugInsRenderTheSameInBothFormats) {
    // The same code behind two formats: Kars plays the demo; 3BandEQ moves
    // its crossovers, each in its format's own scale (VST 2's 0 to 1 covers
    // the LV2 ports' 0 to 1000 Hz and 1000 to 20000 Hz). Its band gains are
    // left alone: the VST 2 build maps them to decibels differently.
    EXPECT_LE(largestDifference(scratch, {kKars, {}}, {kKarsBundle, {}}, {"--block", "100"}), 1e-6);
    writeTones("tones.wav", 44100);
    EXPECT_LE(largestDifference(
                  scratch,
                  {kThreeBandEq, {"--param", "Low-Mid Freq=0.1", "--automate", "Mid-High Freq@0.5=0"}},
                  {kThreeBandEqBundle, {"--param", "low_mid=100", "--automate", "Mid-High Freq@0.5=1000"}},
                  {"--input", "tones.wav"}),
              1e-6);
}

TEST_F(DebianPlugins, Lv2EqualiserCutsATestSignalWithADecibelParameter) {
    const int rate = 44100;
    writeTones("tones.wav", rate);
    const CommandResult cut = run({"--plugin", kThreeBandEqBundle, "--input", "tones.wav", "-o", "cut.wav",
                                   "--param", "low=-24", "--param", "low_mid=1000", "--tail", "0"});
    ASSERT_EQ(cut.exitCode, 0) << cut.err;
    const AudioData b = readAudioFile(scratch.path("cut.wav"));
    EXPECT_EQ(b.frames(), rate);
    const double inputRms = 0.5 / std::sqrt(2.0);
    EXPECT_LT(rmsOf(b, 0, rate / 2, rate), inputRms / 5.0);
    EXPECT_NEAR(rmsOf(b, 1, rate / 2, rate), inputRms, 0.05);
}

} // namespace
