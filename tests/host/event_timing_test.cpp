// What a plug-in receives from quorvane-render, seen from inside plug-ins of
// our own that write every call down, one VST 2 and one LV2: the opening
// sequence, the blocks, each MIDI event's block and frame within it, and
// parameter writes. The LV2 recorder writes its lines as the VST 2 one does.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <tuple>
#include <string>
#include <vector>

#include "lv2_test_plugins.h"
#include "render_command.h"
#include "smf_builder.h"

namespace {

std::vector<std::string> readLines(const std::string& path) {
    std::vector<std::string> lines;
    std::istringstream in(ScratchDir::slurp(path));
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

struct Delivered {
    std::int64_t frame;
    int status, data1, data2;
    bool operator==(const Delivered& o) const {
        return frame == o.frame && status == o.status && data1 == o.data1 && data2 == o.data2;
    }
};

std::ostream& operator<<(std::ostream& out, const Delivered& d) {
    return out << "{frame " << d.frame << ": " << d.status << " " << d.data1 << " " << d.data2 << "}";
}

struct BlockSeen {
    std::int64_t start;
    int frames;
    std::vector<std::string> before; // param and event lines since the previous block
};

// Replays the log: blocks in order, each event placed at its block's start
// plus its deltaFrames. Checks on the way what must hold for every block.
struct Replay {
    std::vector<BlockSeen> blocks;
    std::vector<Delivered> events;
};

Replay replay(const std::vector<std::string>& log, int blockSize) {
    Replay r;
    std::int64_t position = 0;
    std::vector<std::string> before;
    std::vector<std::pair<int, Delivered>> pending; // delta, event
    for (const std::string& line : log) {
        if (startsWith(line, "process ")) {
            int frames = 0;
            long long at = -1;
            // LV2 plug-ins are given no transport: their lines end at the length.
            if (std::sscanf(line.c_str(), "process %d at %lld", &frames, &at) == 2) {
                EXPECT_EQ(at, position) << "the transport's sample position is the block's first frame";
            }
            EXPECT_GE(frames, 1);
            EXPECT_LE(frames, blockSize);
            for (auto& [delta, event] : pending) {
                EXPECT_GE(delta, 0) << line;
                EXPECT_LT(delta, frames) << "an event's deltaFrames lies inside its block";
                event.frame = position + delta;
                r.events.push_back(event);
            }
            pending.clear();
            r.blocks.push_back({position, frames, before});
            before.clear();
            position += frames;
        } else if (startsWith(line, "midi ")) {
            int delta = 0;
            Delivered event{};
            std::sscanf(line.c_str(), "midi %d %d %d %d", &delta, &event.status, &event.data1, &event.data2);
            pending.push_back({delta, event});
            before.push_back(line);
        } else if (startsWith(line, "param ")) {
            before.push_back(line);
        }
    }
    EXPECT_TRUE(pending.empty()) << "events sent after the last block";
    return r;
}

std::int64_t frameOfTick(int tick) {
    // 480 ticks per quarter at 120 BPM: 960 ticks per second.
    return std::llround(tick / 960.0 * 44100.0);
}

class RecordingPluginRender : public ::testing::Test {
protected:
    CommandResult render(std::vector<std::string> args, const std::string& plugin = RECORDING_PLUGIN) {
        args.insert(args.begin(), {"--plugin", plugin, "-o", "out.wav"});
        return scratch.run(args, kLv2PathSetting + " QUORVANE_RECORD_LOG=" + scratch.path("log.txt"));
    }
    std::vector<std::string> log() const { return readLines(scratch.path("log.txt")); }

    ScratchDir scratch;
};

// The same checks through the VST 2 and the LV2 recorder.
class EitherFormat : public RecordingPluginRender, public ::testing::WithParamInterface<std::string> {};
std::string formatOf(const std::string& plugin) {
    return plugin == kLv2Recorder ? "Lv2" : "Vst2";
}
INSTANTIATE_TEST_SUITE_P(Recorders, EitherFormat, ::testing::Values(RECORDING_PLUGIN, kLv2Recorder),
                         [](const auto& info) { return formatOf(info.param); });

class EventTiming : public RecordingPluginRender,
                    public ::testing::WithParamInterface<std::tuple<std::string, int>> {};

TEST_P(EventTiming, EveryEventReachesItsBlockAtItsFrame) {
    const auto& [plugin, blockSize] = GetParam();
    // Times chosen to fall on and between frames, on block edges for some
    // sizes, with a release and a note-on at one tick listed on-then-off.
    Track t;
    t.event(0, {0x90, 60, 100})
        .event(1, {0xB0, 1, 64})
        .event(479, {0x90, 62, 90})
        .event(0, {0x80, 60, 0})
        .event(520, {0x90, 64, 80})
        .event(234, {0xE0, 0, 80})
        .event(206, {0x90, 62, 0})
        .event(0, {0x80, 64, 0})
        .end();
    writeBytes(scratch.path("timing.mid"), midiFile(0, 480, {t}));
    const CommandResult result =
        render({"--midi", "timing.mid", "--block", std::to_string(blockSize), "--tail", "0.01"}, plugin);
    ASSERT_EQ(result.exitCode, 0) << result.err;

    const std::vector<Delivered> expected = {
        {frameOfTick(0), 0x90, 60, 100},   {frameOfTick(1), 0xB0, 1, 64},
        {frameOfTick(480), 0x80, 60, 0},   {frameOfTick(480), 0x90, 62, 90},
        {frameOfTick(1000), 0x90, 64, 80}, {frameOfTick(1234), 0xE0, 0, 80},
        {frameOfTick(1440), 0x90, 62, 0},  {frameOfTick(1440), 0x80, 64, 0},
    };
    const Replay seen = replay(log(), blockSize);
    EXPECT_EQ(seen.events, expected);
    // No automation: the blocks lie on the grid of the block size.
    for (const BlockSeen& block : seen.blocks) {
        ASSERT_EQ(block.start % blockSize, 0) << "block at " << block.start;
    }
    ASSERT_FALSE(seen.blocks.empty());
    const std::int64_t total = seen.blocks.back().start + seen.blocks.back().frames;
    EXPECT_EQ(total, frameOfTick(1440) + std::llround(0.01 * 44100.0));
}

INSTANTIATE_TEST_SUITE_P(BlockSizes, EventTiming,
                         ::testing::Combine(::testing::Values(RECORDING_PLUGIN, kLv2Recorder),
                                            ::testing::Values(1, 7, 512, 4096)),
                         [](const auto& info) {
                             return formatOf(std::get<0>(info.param)) + "_" + std::to_string(std::get<1>(info.param));
                         });

TEST_F(RecordingPluginRender, OpensStartsStopsAndClosesInOrder) {
    Track t;
    t.tempo(0, 666667).event(0, {0x90, 60, 100}).event(480, {0x80, 60, 0}).end(); // 90 BPM
    writeBytes(scratch.path("one.mid"), midiFile(0, 480, {t}));
    const CommandResult result =
        render({"--midi", "one.mid", "--rate", "48000", "--block", "256", "--tail", "0.1", "--verbose"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> lines = log();
    std::vector<std::string> lifecycle;
    for (const std::string& line : lines) {
        if (!startsWith(line, "process") && !startsWith(line, "midi") && !startsWith(line, "events")) {
            lifecycle.push_back(line);
        }
    }
    const std::vector<std::string> expected = {
        "host version 2400", "open", "host canDo sendVstEvents 1", "rate 48000", "block 256", "mains 1",
        "host rate 48000 block 256", "mains 0", "close",
    };
    EXPECT_EQ(lifecycle, expected);
    // processing happens between mains 1 and mains 0 only
    std::size_t firstProcess = lines.size(), lastProcess = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (startsWith(lines[i], "process")) {
            firstProcess = std::min(firstProcess, i);
            lastProcess = i;
        }
    }
    ASSERT_LT(firstProcess, lines.size());
    EXPECT_EQ(lines[firstProcess - 3], "host rate 48000 block 256");
    EXPECT_EQ(lines[lastProcess + 1], "mains 0");
    // The transport: the file's tempo, and quarter notes that follow the frames.
    int frames = 0;
    long long at = 0;
    double tempo = 0, ppq = 0;
    std::sscanf(lines[lastProcess].c_str(), "process %d at %lld tempo %lf ppq %lf", &frames, &at, &tempo, &ppq);
    EXPECT_NEAR(tempo, 90.0, 1e-3);
    EXPECT_NEAR(ppq, at / 48000.0 * tempo / 60.0, 1e-5);
    // The plug-in's own automation call is counted and, with --verbose, told.
    EXPECT_NE(result.err.find("plug-in automates parameter 1"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("the plug-in sent 1 automation calls"), std::string::npos) << result.err;
}

TEST_P(EitherFormat, ParamsBeforeTheFirstBlockAndAutomationAtTheStartOfItsOwnBlock) {
    Track t;
    t.event(0, {0x90, 60, 100}).event(960, {0x80, 60, 0}).end();
    writeBytes(scratch.path("one.mid"), midiFile(0, 480, {t}));
    const CommandResult result = render({"--midi", "one.mid", "--param", "Gain=0.5", "--param", "1=0.125",
                                         "--automate", "gain@0.3=0.25", "--automate", "Tone Colour@0.3001=0.75",
                                         "--automate", "2@1.5=1", "--tail", "1"},
                                        GetParam());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const Replay seen = replay(log(), 512);
    ASSERT_GT(seen.blocks.size(), 3u);
    const std::vector<std::string> firstWrites(seen.blocks[0].before.begin(), seen.blocks[0].before.begin() + 2);
    EXPECT_EQ(firstWrites, (std::vector<std::string>{"param 0 0.5", "param 1 0.125"}));

    auto blockStartingAt = [&](std::int64_t frame) -> const BlockSeen* {
        for (const BlockSeen& b : seen.blocks) {
            if (b.start == frame) {
                return &b;
            }
        }
        return nullptr;
    };
    const struct {
        std::int64_t frame;
        const char* line;
    } writes[] = {{13230, "param 0 0.25"}, {13234, "param 1 0.75"}, {66150, "param 2 1"}};
    for (const auto& write : writes) {
        const BlockSeen* block = blockStartingAt(write.frame);
        ASSERT_NE(block, nullptr) << "no block starts at frame " << write.frame;
        ASSERT_FALSE(block->before.empty());
        EXPECT_EQ(block->before.front(), write.line);
    }
    // Between the splits the grid goes on: 13230 + 4 frames, then up to 26 x 512.
    EXPECT_EQ(blockStartingAt(13230)->frames, 4);
    EXPECT_EQ(blockStartingAt(13234)->frames, 13312 - 13234);
    EXPECT_NE(blockStartingAt(13312), nullptr);
}

// A sine on the left and a ramp on the right, `seconds` long.
void writeTestSignal(const std::string& path, int rate, double seconds) {
    const int frames = static_cast<int>(seconds * rate);
    std::vector<float> samples(static_cast<std::size_t>(frames) * 2);
    for (int i = 0; i < frames; ++i) {
        samples[2 * i] = 0.5f * static_cast<float>(std::sin(2.0 * M_PI * 440.0 * i / rate));
        samples[2 * i + 1] = static_cast<float>(i) / frames - 0.5f;
    }
    WavWriter out(path, 2, rate, SampleFormat::Float);
    out.write(samples.data(), frames);
    out.commit();
}

void expectScaledCopy(const AudioData& in, const AudioData& out, float gain) {
    ASSERT_EQ(out.channels, 2);
    ASSERT_GE(out.frames(), in.frames());
    for (std::size_t i = 0; i < in.samples.size(); ++i) {
        ASSERT_EQ(out.samples[i], in.samples[i] * gain) << "sample " << i;
    }
    for (std::size_t i = in.samples.size(); i < out.samples.size(); ++i) {
        ASSERT_EQ(out.samples[i], 0.0f) << "sample " << i << " after the input ended";
    }
}

TEST_P(EitherFormat, InputFeedsTheInputsAndTheRenderOutlastsItByTheTail) {
    writeTestSignal(scratch.path("in.wav"), 44100, 1.0);
    const CommandResult result = render({"--input", "in.wav", "--param", "Gain=0.5", "--block", "300"}, GetParam());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const AudioData in = readAudioFile(scratch.path("in.wav"));
    const AudioData out = readAudioFile(scratch.path("out.wav"));
    EXPECT_EQ(out.frames(), in.frames() + 2 * 44100);
    expectScaledCopy(in, out, 0.5f);
    // No --midi with an input: no demo notes for an effect to ignore.
    for (const std::string& line : log()) {
        EXPECT_FALSE(startsWith(line, "events")) << line;
    }
}

TEST_F(RecordingPluginRender, AccumulatingPluginGetsClearedOutputsEveryBlock) {
    writeTestSignal(scratch.path("in.wav"), 22050, 0.5);
    const CommandResult result = render({"--input", "in.wav", "--block", "64", "--tail", "0.1"}, ACCUMULATING_PLUGIN);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const AudioData out = readAudioFile(scratch.path("out.wav"));
    EXPECT_EQ(out.sampleRate, 22050) << "the rate of the input when --rate is not given";
    expectScaledCopy(readAudioFile(scratch.path("in.wav")), out, 1.0f);
}

TEST_F(RecordingPluginRender, InfoAndParameterListReadThePluginsAnswers) {
    const CommandResult info = render({"--info"});
    ASSERT_EQ(info.exitCode, 0) << info.err;
    for (const char* expected : {"Recd 0x52656364", "VstP 0x56737450", "CanReplacing", "1 (effect)",
                                 "receiveVstMidiEvent   yes", "receiveVstEvents      no", "Rec R (stereo)",
                                 "Recorder"}) {
        EXPECT_NE(info.out.find(expected), std::string::npos) << expected << " missing from\n" << info.out;
    }
    const CommandResult list = render({"--list-params"});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    EXPECT_NE(list.out.find("1  Tone Colour  0.50     "), std::string::npos) << list.out;
    EXPECT_NE(list.out.find("0  Gain         1.00     x      1.000000"), std::string::npos) << list.out;
}

} // namespace
