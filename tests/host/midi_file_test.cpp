// The MIDI reader against hand-made files: what real files do, and what
// broken ones do.
#include <gtest/gtest.h>

#include "host/midi_file.h"
#include "smf_builder.h"

namespace {

MidiSequence parse(const Bytes& bytes) {
    return parseMidiFile(bytes.data(), bytes.size());
}

std::string refusal(const Bytes& bytes) {
    try {
        parse(bytes);
    } catch (const MidiFileError& error) {
        return error.what();
    }
    return "accepted";
}

// 480 ticks per quarter at the default 120 BPM: 960 ticks per second.
constexpr int kDivision = 480;

TEST(MidiReading, RunningStatusAndVelocityZeroNoteOff) {
    Track t;
    t.event(0, {0x90, 60, 100}).event(480, {62, 90}).event(480, {60, 0}).event(0, {62, 0}).end();
    const MidiSequence s = parse(midiFile(0, kDivision, {t}));
    ASSERT_EQ(s.messages.size(), 4u);
    EXPECT_EQ(s.messages[1].bytes[0], 0x90);
    EXPECT_EQ(s.messages[1].bytes[1], 62);
    EXPECT_EQ(s.messages[1].bytes[2], 90);
    EXPECT_DOUBLE_EQ(s.messages[1].seconds, 0.5);
    EXPECT_DOUBLE_EQ(s.messages[3].seconds, 1.0);
    EXPECT_EQ(s.messages[3].bytes[2], 0); // kept as a note-on of velocity 0; the host orders it as a release
}

TEST(MidiReading, RunningStatusCarriesOneByteMessagesAndSurvivesOtherChannels) {
    Track t;
    t.event(0, {0xC3, 5}).event(10, {7}).event(0, {0xB0, 7, 100}).event(10, {10, 64}).end();
    const MidiSequence s = parse(midiFile(0, kDivision, {t}));
    ASSERT_EQ(s.messages.size(), 4u);
    EXPECT_EQ(s.messages[1].size, 2);
    EXPECT_EQ(s.messages[1].bytes[0], 0xC3);
    EXPECT_EQ(s.messages[1].bytes[1], 7);
    EXPECT_EQ(s.messages[3].bytes[0], 0xB0);
    EXPECT_EQ(s.messages[3].bytes[1], 10);
}

TEST(MidiReading, TempoChangeMidFileBendsTheTimeline) {
    Track t;
    // Quarter note at 120 BPM (0.5 s), then tempo 60 BPM: the next quarter
    // takes a whole second.
    t.event(0, {0x90, 60, 100}).tempo(480, 1000000).event(0, {0x80, 60, 0}).event(480, {0x90, 64, 100}).end();
    const MidiSequence s = parse(midiFile(0, kDivision, {t}));
    ASSERT_EQ(s.messages.size(), 3u);
    EXPECT_DOUBLE_EQ(s.messages[1].seconds, 0.5);
    EXPECT_DOUBLE_EQ(s.messages[2].seconds, 1.5);
    EXPECT_DOUBLE_EQ(s.initialTempoBpm, 120.0);
}

TEST(MidiReading, FormatOneMergesTracksAndTakesTempoFromTheConductorTrack) {
    Track conductor, melody, bass;
    conductor.tempo(0, 250000).tempo(960, 500000).end(); // 240 BPM for two quarters, then 120
    melody.event(480, {0x90, 72, 80}).event(960, {0x80, 72, 0}).end();
    bass.event(0, {0x91, 36, 90}).event(480, {0x81, 36, 0}).event(0, {0x91, 38, 90}).end();
    const MidiSequence s = parse(midiFile(1, kDivision, {conductor, melody, bass}));
    EXPECT_EQ(s.format, 1);
    EXPECT_EQ(s.trackCount, 3);
    EXPECT_DOUBLE_EQ(s.initialTempoBpm, 240.0);
    ASSERT_EQ(s.messages.size(), 5u);
    // tick 0 bass on; tick 480 (0.25 s): melody on first (track order), then
    // bass off and on; tick 1440: 0.5 s at 240 BPM plus 0.5 s at 120 BPM.
    EXPECT_EQ(s.messages[0].bytes[1], 36);
    EXPECT_EQ(s.messages[1].bytes[1], 72);
    EXPECT_DOUBLE_EQ(s.messages[1].seconds, 0.25);
    EXPECT_EQ(s.messages[2].bytes[0], 0x81);
    EXPECT_EQ(s.messages[3].bytes[1], 38);
    EXPECT_DOUBLE_EQ(s.messages[4].seconds, 1.0);
}

TEST(MidiReading, SysexMetaAndUnknownChunksAreSkippedByLength) {
    Track t;
    t.event(0, {0xF0, 0x03, 0x7E, 0x01, 0xF7})               // sysex, 3 bytes
        .event(0, {0xFF, 0x03, 0x04, 'L', 'e', 'a', 'd'})      // track name
        .event(0, {0xF7, 0x02, 0x90, 0x40})                  // escaped bytes that look like a note
        .event(10, {0x90, 60, 1})
        .end();
    const Bytes alien = Bytes{'X', 'y', 'z', 'w'} + be(3, 4) + Bytes{1, 2, 3};
    const Bytes file = header(0, 1, kDivision) + alien + t.chunk();
    const MidiSequence s = parse(file);
    ASSERT_EQ(s.messages.size(), 1u);
    EXPECT_EQ(s.messages[0].bytes[1], 60);
}

TEST(MidiReading, SmpteDivisionCountsFramesNotBeats) {
    Track t;
    t.tempo(0, 1000000).event(100, {0x90, 60, 1}).end(); // tempo has no say under SMPTE
    // 25 frames per second, 40 ticks per frame: 1000 ticks per second.
    const MidiSequence s = parse(midiFile(0, 0xE728, {t}));
    ASSERT_EQ(s.messages.size(), 1u);
    EXPECT_DOUBLE_EQ(s.messages[0].seconds, 0.1);
}

TEST(MidiReading, EventsAfterEndOfTrackAreNotPartOfIt) {
    Track t;
    t.event(0, {0x90, 60, 1}).end().event(0, {0x90, 61, 1});
    EXPECT_EQ(parse(midiFile(0, kDivision, {t})).messages.size(), 1u);
}

TEST(MidiRefusal, TruncatedFilesAndChunks) {
    Track t;
    t.event(0, {0x90, 60, 100}).event(480, {0x80, 60, 0}).end();
    const Bytes whole = midiFile(0, kDivision, {t});
    EXPECT_NE(refusal(Bytes(whole.begin(), whole.begin() + 10)).find("not a Standard MIDI File"), std::string::npos);
    // The chunk says more bytes than the file has left.
    EXPECT_NE(refusal(Bytes(whole.begin(), whole.end() - 3)).find("claims"), std::string::npos);
    // A file that ends before its announced second track.
    EXPECT_NE(refusal(header(1, 2, kDivision) + t.chunk()).find("truncated"), std::string::npos);
    // A chunk that ends in the middle of a note-on.
    Track cut;
    cut.event(0, {0x90, 60});
    EXPECT_NE(refusal(midiFile(0, kDivision, {cut})).find("truncated"), std::string::npos);
}

TEST(MidiRefusal, BadChunkAndHeaderLengths) {
    Track t;
    t.end();
    Bytes file = midiFile(0, kDivision, {t});
    file[18] = 0xFF; // track length 0xFF000004
    EXPECT_NE(refusal(file).find("claims"), std::string::npos);
    Bytes shortHeader = Bytes{'M', 'T', 'h', 'd'} + be(2, 4) + be(0, 2) + be(1, 2) + be(96, 2) + t.chunk();
    EXPECT_NE(refusal(shortHeader).find("header chunk length"), std::string::npos);
}

TEST(MidiRefusal, RunningStatusWithNothingToRun) {
    Track first, afterMeta, afterSysex;
    first.event(0, {60, 100}).end();
    afterMeta.event(0, {0x90, 60, 100}).event(0, {0xFF, 0x01, 0x00}).event(0, {61, 100}).end();
    afterSysex.event(0, {0x90, 60, 100}).event(0, {0xF0, 0x01, 0xF7}).event(0, {61, 100}).end();
    for (const Track* t : {&first, &afterMeta, &afterSysex}) {
        EXPECT_NE(refusal(midiFile(0, kDivision, {*t})).find("no running status"), std::string::npos);
    }
}

TEST(MidiRefusal, EndlessRunningStatusRunsIntoTheChunkEnd) {
    // Running-status note-ons that never end: the last one is cut off by the
    // chunk, and the reader stops there instead of reading the next chunk.
    Track t;
    t.event(0, {0x90, 60, 100});
    for (int i = 0; i < 50; ++i) {
        t.event(1, {61, 100});
    }
    t.body.push_back(0x01);
    t.body.push_back(62);
    const Bytes file = midiFile(0, kDivision, {t}) + Track().end().chunk();
    EXPECT_NE(refusal(file).find("truncated"), std::string::npos);
}

TEST(MidiRefusal, AbsurdDeltasAndTempos) {
    Track slowAndLong;
    slowAndLong.tempo(0, 0xFFFFFF).event(0x0FFFFFFF, {0x90, 60, 1}).end();
    EXPECT_NE(refusal(midiFile(0, 1, {slowAndLong})).find("absurd delta"), std::string::npos);

    Track fiveByteDelta;
    fiveByteDelta.body = Bytes{0x81, 0x80, 0x80, 0x80, 0x00, 0x90, 60, 1};
    EXPECT_NE(refusal(midiFile(0, kDivision, {fiveByteDelta})).find("longer than four bytes"), std::string::npos);

    Track zeroTempo, shortTempo;
    zeroTempo.tempo(0, 0).end();
    shortTempo.event(0, {0xFF, 0x51, 0x02, 0x07, 0xA1}).end();
    EXPECT_NE(refusal(midiFile(0, kDivision, {zeroTempo})).find("absurd tempo"), std::string::npos);
    EXPECT_NE(refusal(midiFile(0, kDivision, {shortTempo})).find("tempo event of 2 bytes"), std::string::npos);
}

TEST(MidiRefusal, DivisionsAndFormatsNotServed) {
    Track t;
    t.end();
    EXPECT_NE(refusal(midiFile(0, 0, {t})).find("0 ticks"), std::string::npos);
    EXPECT_NE(refusal(midiFile(0, 0xE500, {t})).find("SMPTE"), std::string::npos); // -27 fps
    EXPECT_NE(refusal(midiFile(2, kDivision, {t})).find("format 2"), std::string::npos);
}

TEST(MidiRefusal, StrayStatusBytes) {
    Track clock, statusInData;
    clock.event(0, {0xF8}).end();
    statusInData.event(0, {0x90, 0x90, 1}).end();
    EXPECT_NE(refusal(midiFile(0, kDivision, {clock})).find("cannot appear"), std::string::npos);
    EXPECT_NE(refusal(midiFile(0, kDivision, {statusInData})).find("where a data byte"), std::string::npos);
}

TEST(MidiRefusal, ErrorsNameTheFile) {
    try {
        readMidiFile("/nonexistent/song.mid");
        FAIL() << "a missing file was read";
    } catch (const MidiFileError& error) {
        EXPECT_NE(std::string(error.what()).find("/nonexistent/song.mid"), std::string::npos);
        EXPECT_NE(std::string(error.what()).find("No such file"), std::string::npos);
    }
}

} // namespace
